#pragma once

#include <QSize>
#include <QString>
#include <QUtf8StringView>
#include <optional>
#include <span>

namespace snapdeck {

// The camera's shooting parameters as the program knows them. Each value is the code
// the camera takes for it; the tables below give every value its caption in the lists,
// in list order. The lists, the simulated camera and the libgphoto2 mapping all read
// these tables. A caption is the program's own (Russian) word, UTF-8, the same in
// every language (the station's configuration names entries by it); shownCaption()
// gives it in the user's language.

enum class ImageSize {
    Sq2_640x480 = 0,
    Sq2_1024x768 = 1,
    Sq2_1280x960 = 2,
    Sq1_1600x1200 = 3,
    Sq1_2048x1536 = 4,
    Sq1_2288x1712 = 5,
    Sq1_2592x1944 = 6,
    Hq3264x2448 = 9,
};

enum class ExposureMode { Manual = 1, Automatic = 2 };

enum class WhiteBalance {
    Auto = 0,
    Daylight = 1,
    Fluorescent = 2,
    Incandescent = 3,
    FluorescentDaylight = 4,
    FluorescentNeutral = 5,
    FluorescentWhite = 6,
    Cloudy = 7,
};

enum class FlashMode { Auto = 0, Off = 1, On = 2, RedEye = 3, SlowSync = 4 };

enum class IsoSpeed { Auto = 0, Iso100 = 1, Iso200 = 2, Iso400 = 3, Iso50 = 5 };

// The camera's own screen.
enum class MonitorMode { Off = 1, On = 2, Review = 3 };

enum class FocusMode { Macro = 1, Auto = 2, Manual = 3 };

// Aperture as f-number times ten (28 is f/2.8); shutter time in microseconds.
struct Exposure {
    ExposureMode mode{}; // none before the camera was first asked
    int aperture = 0;
    int shutter = 0;
    friend bool operator==(const Exposure&, const Exposure&) = default;
};

template <typename Value> struct SettingEntry {
    QUtf8StringView caption;
    Value value;
};

struct ImageSizeEntry {
    QUtf8StringView caption;
    ImageSize value;
    QSize pixels;
};

// A table's caption as the lists and messages show it, in the user's language.
QString shownCaption(QUtf8StringView caption);

// The tables, each in the order its list shows it.
namespace settingTables {
std::span<const ImageSizeEntry> imageSizes();
std::span<const SettingEntry<ExposureMode>> exposureModes();
std::span<const SettingEntry<WhiteBalance>> whiteBalances();
std::span<const SettingEntry<FlashMode>> flashModes();
std::span<const SettingEntry<int>> shutterTimes(); // microseconds
std::span<const SettingEntry<int>> apertures();    // f-number times ten
std::span<const SettingEntry<IsoSpeed>> isoSpeeds();
std::span<const SettingEntry<MonitorMode>> monitorModes();
std::span<const SettingEntry<FocusMode>> focusModes();
} // namespace settingTables

// The image size's entry; nothing for a code no entry carries.
const ImageSizeEntry* findImageSize(ImageSize size);
// The sensitivity an ISO setting stands for; automatic ISO counts as 100.
int isoSensitivity(IsoSpeed speed);

// Shutter times faster than this are not on the list; the read-back puts 1/30 s there.
constexpr int kFastestListedShutter = 1000;
constexpr int kOneThirtiethSecond = 33333;

// The position of the aperture entry a reported f-number belongs to: each entry covers
// the f-numbers above the previous entry's up to its own, so a reported one moves up to
// the next aperture of the list. Nothing below the first or above the last.
std::optional<int> aperturePositionFor(int aperture);
// The position of the shutter entry whose time is exactly the reported one.
std::optional<int> shutterPositionFor(int microseconds);

} // namespace snapdeck
