#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>

namespace snapdeck {

// One entry of a setting list: the label the user sees and the code the camera takes.
struct SettingEntry {
    QStringView label;
    std::int32_t code;
};

// A setting list's table, with the entry selected after filling and whether the list
// is disabled after filling (aperture and shutter wait for the manual exposure mode).
struct SettingTable {
    std::span<const SettingEntry> entries;
    int initialPosition;
    bool disabledAfterFill;
};

namespace SettingTables {
extern const SettingTable imageSize;
extern const SettingTable exposureMode;
extern const SettingTable whiteBalance;
extern const SettingTable flash;
extern const SettingTable shutter;
extern const SettingTable aperture;
extern const SettingTable iso;
extern const SettingTable lcdMode;
extern const SettingTable focusMode;
} // namespace SettingTables

// Codes with a meaning of their own in the program.
namespace SettingCode {
constexpr std::int32_t MonitorOff = 1;
constexpr std::int32_t FocusMacro = 1;
constexpr std::int32_t FocusAuto = 2;
constexpr std::int32_t FocusManual = 3;
constexpr std::int32_t ShutterOneThirtieth = 33333;
constexpr std::int32_t FastestShutter = 1000;
} // namespace SettingCode

// The aperture entry a reported code belongs to: each entry covers the codes above
// the previous entry's code up to its own, so a code moves up to the next aperture.
std::optional<QString> ApertureLabelForCode(std::int32_t code);

// The shutter entry whose time is exactly the reported one.
std::optional<QString> ShutterLabelForCode(std::int32_t code);

} // namespace snapdeck
