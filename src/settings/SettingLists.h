#pragma once

#include "SettingTables.h"

class QComboBox;

namespace snapdeck {

// Fills a list from its table: cleared, every entry appended with its code as item
// data, then the initial entry selected. The selection is the only change the list's
// handler sees, so it runs exactly once, with a real code. Aperture and shutter lists
// are disabled afterwards.
void fillSettingList(QComboBox& list, const SettingTable& table);

void FillImageSizeList(QComboBox& list);
void FillExposureModeList(QComboBox& list);
void FillWhiteBalanceList(QComboBox& list);
void FillFlashList(QComboBox& list);
void FillShutterList(QComboBox& list);
void FillApertureList(QComboBox& list);
void FillIsoList(QComboBox& list);
void FillLcdModeList(QComboBox& list);
void FillFocusModeList(QComboBox& list);

// The code of the list's selected entry.
std::int32_t selectedCode(const QComboBox& list);

} // namespace snapdeck
