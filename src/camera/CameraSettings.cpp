#include "CameraSettings.h"

namespace snapdeck {

namespace {

// clang-format off
constexpr ImageSizeEntry kImageSizes[] = {
    {u"SQ2 640x480", ImageSize::Sq2_640x480, {640, 480}},
    {u"SQ2 1024x768", ImageSize::Sq2_1024x768, {1024, 768}},
    {u"SQ2 1280x960", ImageSize::Sq2_1280x960, {1280, 960}},
    {u"SQ1 1600x1200", ImageSize::Sq1_1600x1200, {1600, 1200}},
    {u"SQ1 2048x1536", ImageSize::Sq1_2048x1536, {2048, 1536}},
    {u"SQ1 2288x1712", ImageSize::Sq1_2288x1712, {2288, 1712}},
    {u"SQ1 2592x1944", ImageSize::Sq1_2592x1944, {2592, 1944}},
    {u"HQ 3264x2448", ImageSize::Hq3264x2448, {3264, 2448}},
};

constexpr SettingEntry<ExposureMode> kExposureModes[] = {
    {u"Авто", ExposureMode::Automatic},
    {u"Вручную", ExposureMode::Manual},
};

constexpr SettingEntry<WhiteBalance> kWhiteBalances[] = {
    {u"Авто", WhiteBalance::Auto},
    {u"Дневной", WhiteBalance::Daylight},
    {u"Флюоресцентный", WhiteBalance::Fluorescent},
    {u"Лампы накаливания", WhiteBalance::Incandescent},
    {u"Флюоресцент дневной", WhiteBalance::FluorescentDaylight},
    {u"Флюоресцент нейтральный", WhiteBalance::FluorescentNeutral},
    {u"Флюоресцент белый", WhiteBalance::FluorescentWhite},
    {u"Облачно", WhiteBalance::Cloudy},
};

constexpr SettingEntry<FlashMode> kFlashModes[] = {
    {u"Авто", FlashMode::Auto},
    {u"Включено", FlashMode::On},
    {u"Выключено", FlashMode::Off},
    {u"Red eye", FlashMode::RedEye},
    {u"Slow Sync", FlashMode::SlowSync},
};

// Exposure times in microseconds, to the nearest microsecond, a half going up.
constexpr SettingEntry<int> kShutterTimes[] = {
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
constexpr SettingEntry<int> kApertures[] = {
    {u"2.8", 28}, {u"3.2", 32}, {u"3.5", 35}, {u"4.0", 40}, {u"4.5", 45},
    {u"5.0", 50}, {u"5.6", 56}, {u"6.3", 63}, {u"7.1", 71}, {u"8.0", 80},
};

constexpr SettingEntry<IsoSpeed> kIsoSpeeds[] = {
    {u"Авто", IsoSpeed::Auto},      {u"ISO 50", IsoSpeed::Iso50},   {u"ISO 100", IsoSpeed::Iso100},
    {u"ISO 200", IsoSpeed::Iso200}, {u"ISO 400", IsoSpeed::Iso400},
};

constexpr SettingEntry<MonitorMode> kMonitorModes[] = {
    {u"Выключен", MonitorMode::Off},
    {u"Включен", MonitorMode::On},
    {u"Просмотр", MonitorMode::Review},
};

constexpr SettingEntry<FocusMode> kFocusModes[] = {
    {u"Авто", FocusMode::Auto},
    {u"Вручную", FocusMode::Manual},
    {u"Макро АФ", FocusMode::Macro},
};
// clang-format on

} // namespace

namespace settingTables {
std::span<const ImageSizeEntry> imageSizes() {
    return kImageSizes;
}
std::span<const SettingEntry<ExposureMode>> exposureModes() {
    return kExposureModes;
}
std::span<const SettingEntry<WhiteBalance>> whiteBalances() {
    return kWhiteBalances;
}
std::span<const SettingEntry<FlashMode>> flashModes() {
    return kFlashModes;
}
std::span<const SettingEntry<int>> shutterTimes() {
    return kShutterTimes;
}
std::span<const SettingEntry<int>> apertures() {
    return kApertures;
}
std::span<const SettingEntry<IsoSpeed>> isoSpeeds() {
    return kIsoSpeeds;
}
std::span<const SettingEntry<MonitorMode>> monitorModes() {
    return kMonitorModes;
}
std::span<const SettingEntry<FocusMode>> focusModes() {
    return kFocusModes;
}
} // namespace settingTables

const ImageSizeEntry* findImageSize(ImageSize size) {
    for (const ImageSizeEntry& entry : kImageSizes)
        if (entry.value == size)
            return &entry;
    return nullptr;
}

int isoSensitivity(IsoSpeed speed) {
    switch (speed) {
    case IsoSpeed::Iso50:
        return 50;
    case IsoSpeed::Iso200:
        return 200;
    case IsoSpeed::Iso400:
        return 400;
    case IsoSpeed::Auto:
    case IsoSpeed::Iso100:
        break;
    }
    return 100;
}

std::optional<int> aperturePositionFor(int aperture) {
    if (aperture < kApertures[0].value)
        return std::nullopt;
    for (int position = 0; position < int(std::size(kApertures)); ++position)
        if (aperture <= kApertures[position].value)
            return position;
    return std::nullopt;
}

std::optional<int> shutterPositionFor(int microseconds) {
    for (int position = 0; position < int(std::size(kShutterTimes)); ++position)
        if (kShutterTimes[position].value == microseconds)
            return position;
    return std::nullopt;
}

} // namespace snapdeck
