#include "CameraSettings.h"

#include <QCoreApplication>

namespace snapdeck {

namespace {

// clang-format off
constexpr ImageSizeEntry kImageSizes[] = {
    {"SQ2 640x480", ImageSize::Sq2_640x480, {640, 480}},
    {"SQ2 1024x768", ImageSize::Sq2_1024x768, {1024, 768}},
    {"SQ2 1280x960", ImageSize::Sq2_1280x960, {1280, 960}},
    {"SQ1 1600x1200", ImageSize::Sq1_1600x1200, {1600, 1200}},
    {"SQ1 2048x1536", ImageSize::Sq1_2048x1536, {2048, 1536}},
    {"SQ1 2288x1712", ImageSize::Sq1_2288x1712, {2288, 1712}},
    {"SQ1 2592x1944", ImageSize::Sq1_2592x1944, {2592, 1944}},
    {"HQ 3264x2448", ImageSize::Hq3264x2448, {3264, 2448}},
};

constexpr SettingEntry<ExposureMode> kExposureModes[] = {
    {QT_TRANSLATE_NOOP("SettingTables", "Авто"), ExposureMode::Automatic},
    {QT_TRANSLATE_NOOP("SettingTables", "Вручную"), ExposureMode::Manual},
};

constexpr SettingEntry<WhiteBalance> kWhiteBalances[] = {
    {QT_TRANSLATE_NOOP("SettingTables", "Авто"), WhiteBalance::Auto},
    {QT_TRANSLATE_NOOP("SettingTables", "Дневной"), WhiteBalance::Daylight},
    {QT_TRANSLATE_NOOP("SettingTables", "Флюоресцентный"), WhiteBalance::Fluorescent},
    {QT_TRANSLATE_NOOP("SettingTables", "Лампы накаливания"), WhiteBalance::Incandescent},
    {QT_TRANSLATE_NOOP("SettingTables", "Флюоресцент дневной"),
     WhiteBalance::FluorescentDaylight},
    {QT_TRANSLATE_NOOP("SettingTables", "Флюоресцент нейтральный"),
     WhiteBalance::FluorescentNeutral},
    {QT_TRANSLATE_NOOP("SettingTables", "Флюоресцент белый"), WhiteBalance::FluorescentWhite},
    {QT_TRANSLATE_NOOP("SettingTables", "Облачно"), WhiteBalance::Cloudy},
};

constexpr SettingEntry<FlashMode> kFlashModes[] = {
    {QT_TRANSLATE_NOOP("SettingTables", "Авто"), FlashMode::Auto},
    {QT_TRANSLATE_NOOP("SettingTables", "Включено"), FlashMode::On},
    {QT_TRANSLATE_NOOP("SettingTables", "Выключено"), FlashMode::Off},
    {QT_TRANSLATE_NOOP("SettingTables", "Red eye"), FlashMode::RedEye},
    {QT_TRANSLATE_NOOP("SettingTables", "Slow Sync"), FlashMode::SlowSync},
};

// Exposure times in microseconds, to the nearest microsecond, a half going up.
constexpr SettingEntry<int> kShutterTimes[] = {
    {"1/1000", 1000},   {"1/800", 1250},    {"1/640", 1563},    {"1/600", 1667},
    {"1/400", 2500},    {"1/320", 3125},    {"1/250", 4000},    {"1/200", 5000},
    {"1/160", 6250},    {"1/125", 8000},    {"1/100", 10000},   {"1/80", 12500},
    {"1/60", 16667},    {"1/50", 20000},    {"1/40", 25000},    {"1/30", 33333},
    {"1/25", 40000},    {"1/20", 50000},    {"1/15", 66667},    {"1/13", 76923},
    {"1/10", 100000},   {"1/8", 125000},    {"1/6", 166667},    {"1/5", 200000},
    {"1/4", 250000},    {"1/3", 333333},    {"1/2.5", 400000},  {"1/2", 500000},
    {"1/1.6", 625000},  {"1/1.3", 769231},  {"1''", 1000000},   {"1.3''", 1300000},
    {"1.6''", 1600000}, {"2''", 2000000},   {"2.5''", 2500000}, {"3.2''", 3200000},
    {"4''", 4000000},   {"5''", 5000000},   {"6''", 6000000},   {"8''", 8000000},
    {"10''", 10000000}, {"13''", 13000000}, {"15''", 15000000},
};

// f-number times ten.
constexpr SettingEntry<int> kApertures[] = {
    {"2.8", 28}, {"3.2", 32}, {"3.5", 35}, {"4.0", 40}, {"4.5", 45},
    {"5.0", 50}, {"5.6", 56}, {"6.3", 63}, {"7.1", 71}, {"8.0", 80},
};

constexpr SettingEntry<IsoSpeed> kIsoSpeeds[] = {
    {QT_TRANSLATE_NOOP("SettingTables", "Авто"), IsoSpeed::Auto},
    {"ISO 50", IsoSpeed::Iso50},   {"ISO 100", IsoSpeed::Iso100},
    {"ISO 200", IsoSpeed::Iso200}, {"ISO 400", IsoSpeed::Iso400},
};

constexpr SettingEntry<MonitorMode> kMonitorModes[] = {
    {QT_TRANSLATE_NOOP("SettingTables", "Выключен"), MonitorMode::Off},
    {QT_TRANSLATE_NOOP("SettingTables", "Включен"), MonitorMode::On},
    {QT_TRANSLATE_NOOP("SettingTables", "Просмотр"), MonitorMode::Review},
};

constexpr SettingEntry<FocusMode> kFocusModes[] = {
    {QT_TRANSLATE_NOOP("SettingTables", "Авто"), FocusMode::Auto},
    {QT_TRANSLATE_NOOP("SettingTables", "Вручную"), FocusMode::Manual},
    {QT_TRANSLATE_NOOP("SettingTables", "Макро АФ"), FocusMode::Macro},
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

QString shownCaption(QUtf8StringView caption) {
    // Numbers ("1/30", "2.8", "ISO 100", sizes) have no translation and come back as
    // they are.
    const QByteArray source(caption.data(), caption.size());
    return QCoreApplication::translate("SettingTables", source.constData());
}

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
