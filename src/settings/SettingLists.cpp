#include "SettingLists.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace snapdeck {

void fillSettingList(QComboBox& list, const SettingTable& table) {
    {
        // Qt reports the first item added to an empty list, and clear(), as selection
        // changes; the handler must only see the initial entry being chosen.
        const QSignalBlocker quiet(list);
        list.clear();
        for (const SettingEntry& entry : table.entries)
            list.addItem(entry.label.toString(), entry.code);
        list.setCurrentIndex(-1);
    }
    list.setCurrentIndex(table.initialPosition);
    if (table.disabledAfterFill)
        list.setEnabled(false);
}

// One line a list: they read as the table they are.
// clang-format off
void FillImageSizeList(QComboBox& list) { fillSettingList(list, SettingTables::imageSize); }
void FillExposureModeList(QComboBox& list) { fillSettingList(list, SettingTables::exposureMode); }
void FillWhiteBalanceList(QComboBox& list) { fillSettingList(list, SettingTables::whiteBalance); }
void FillFlashList(QComboBox& list) { fillSettingList(list, SettingTables::flash); }
void FillShutterList(QComboBox& list) { fillSettingList(list, SettingTables::shutter); }
void FillApertureList(QComboBox& list) { fillSettingList(list, SettingTables::aperture); }
void FillIsoList(QComboBox& list) { fillSettingList(list, SettingTables::iso); }
void FillLcdModeList(QComboBox& list) { fillSettingList(list, SettingTables::lcdMode); }
void FillFocusModeList(QComboBox& list) { fillSettingList(list, SettingTables::focusMode); }
// clang-format on

std::int32_t selectedCode(const QComboBox& list) {
    return list.currentData().toInt();
}

} // namespace snapdeck
