#include "SettingTables.h"

namespace snapdeck {

namespace {

constexpr SettingEntry kImageSizes[] = {
    {u"SQ2 640x480", 0},   {u"SQ2 1024x768", 1},  {u"SQ2 1280x960", 2},  {u"SQ1 1600x1200", 3},
    {u"SQ1 2048x1536", 4}, {u"SQ1 2288x1712", 5}, {u"SQ1 2592x1944", 6}, {u"HQ 3264x2448", 9},
};

constexpr SettingEntry kExposureModes[] = {{u"Авто", 2}, {u"Вручную", 1}};

constexpr SettingEntry kWhiteBalances[] = {
    {u"Авто", 0},
    {u"Дневной", 1},
    {u"Флюоресцентный", 2},
    {u"Лампы накаливания", 3},
    {u"Флюоресцент дневной", 4},
    {u"Флюоресцент нейтральный", 5},
    {u"Флюоресцент белый", 6},
    {u"Облачно", 7},
};

constexpr SettingEntry kFlashModes[] = {
    {u"Авто", 0}, {u"Включено", 2}, {u"Выключено", 1}, {u"Red eye", 3}, {u"Slow Sync", 4},
};

// Exposure times in microseconds, to the nearest microsecond, a half going up.
constexpr SettingEntry kShutterTimes[] = {
    {u"1/1000", 1000},   {u"1/800", 1250},    {u"1/640", 1563},    {u"1/600", 1667},
    {u"1/400", 2500},    {u"1/320", 3125},    {u"1/250", 4000},    {u"1/200", 5000},
    {u"1/160", 6250},    {u"1/125", 8000},    {u"1/100", 10000},   {u"1/80", 12500},
    {u"1/60", 16667},    {u"1/50", 20000},    {u"1/40", 25000},    {u"1/30", 33333},
    {u"1/25", 40000},    {u"1/20", 50000},    {u"1/15", 66667},    {u"1/13", 76923},
    {u"1/10", 100000},   {u"1/8", 125000},    {u"1/6", 166667},    {u"1/5", 200000},
    {u"1/4", 250000},    {u"1/3", 333333},    {u"1/2.5", 400000},  {u"1/2", 500000},
    {u"1/1.6", 625000},  {u"1/1.3", 769231},  {u"1''", 1000000},   {u"1.3''", 1300000},
    {u"1.6''", 1600000}, {u"2''", 2000000},   {u"2.5''", 2500000}, {u"3.2''", 3200000},
    {u"4''", 4000000},   {u"5''", 5000000},   {u"6''", 6000000},   {u"8''", 8000000},
    {u"10''", 10000000}, {u"13''", 13000000}, {u"15''", 15000000},
};

// f-number times ten.
constexpr SettingEntry kApertures[] = {
    {u"2.8", 28}, {u"3.2", 32}, {u"3.5", 35}, {u"4.0", 40}, {u"4.5", 45},
    {u"5.0", 50}, {u"5.6", 56}, {u"6.3", 63}, {u"7.1", 71}, {u"8.0", 80},
};

constexpr SettingEntry kIsoSpeeds[] = {
    {u"Авто", 0}, {u"ISO 50", 5}, {u"ISO 100", 1}, {u"ISO 200", 2}, {u"ISO 400", 3},
};

constexpr SettingEntry kLcdModes[] = {{u"Выключен", 1}, {u"Включен", 2}, {u"Просмотр", 3}};

constexpr SettingEntry kFocusModes[] = {{u"Авто", 2}, {u"Вручную", 3}, {u"Макро АФ", 1}};

constexpr int kShutterInitialPosition = 15; // "1/30"

} // namespace

namespace SettingTables {
const SettingTable imageSize{kImageSizes, 0, false};
const SettingTable exposureMode{kExposureModes, 0, false};
const SettingTable whiteBalance{kWhiteBalances, 0, false};
const SettingTable flash{kFlashModes, 0, false};
const SettingTable shutter{kShutterTimes, kShutterInitialPosition, true};
const SettingTable aperture{kApertures, 0, true};
const SettingTable iso{kIsoSpeeds, 0, false};
const SettingTable lcdMode{kLcdModes, 0, false};
const SettingTable focusMode{kFocusModes, 0, false};
} // namespace SettingTables

std::optional<QString> ApertureLabelForCode(std::int32_t code) {
    for (const SettingEntry& entry : kApertures)
        if (code <= entry.code)
            return code < kApertures[0].code ? std::nullopt
                                             : std::optional<QString>(entry.label.toString());
    return std::nullopt;
}

std::optional<QString> ShutterLabelForCode(std::int32_t code) {
    for (const SettingEntry& entry : kShutterTimes)
        if (entry.code == code)
            return entry.label.toString();
    return std::nullopt;
}

} // namespace snapdeck
