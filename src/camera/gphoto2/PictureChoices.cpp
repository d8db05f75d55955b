#include "PictureChoices.h"

#include "ChoiceMatching.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

namespace snapdeck::gphoto2 {

namespace {

// The first choice whose class is the first of "wanted" that the camera offers.
template <typename Class>
std::optional<QString> firstOfClasses(const QStringList& choices,
                                      const std::function<Class(const QString&)>& classify,
                                      std::initializer_list<Class> wanted) {
    for (Class cls : wanted)
        for (const QString& choice : choices)
            if (classify(choice) == cls)
                return choice;
    return std::nullopt;
}

template <typename Class>
ChoicePick pickByClass(const QStringList& choices,
                       const std::function<Class(const QString&)>& classify,
                       std::initializer_list<Class> wanted, const QString& meaning) {
    if (auto choice = firstOfClasses(choices, classify, wanted))
        return ChoicePick::found(*choice, meaning);
    return ChoicePick::noMatch(meaning);
}

bool hasAny(const QStringList& words, std::initializer_list<const char*> wanted) {
    for (const char* word : wanted)
        if (words.contains(QLatin1String(word)))
            return true;
    return false;
}

// --- image size ---------------------------------------------------------------------

double pixelsOf(const ImageSizeEntry& size) {
    return double(size.pixels.width()) * size.pixels.height();
}

// The program's image sizes, smallest first.
const std::vector<ImageSizeEntry>& sizesByPixels() {
    static const std::vector<ImageSizeEntry> sizes = [] {
        const auto table = settingTables::imageSizes();
        std::vector<ImageSizeEntry> list(table.begin(), table.end());
        std::stable_sort(list.begin(), list.end(),
                         [](const auto& a, const auto& b) { return pixelsOf(a) < pixelsOf(b); });
        return list;
    }();
    return sizes;
}

// The pixels of a "WxH" text; nothing for other texts and for a size with no pixels.
std::optional<double> pixelCount(const QString& text) {
    static const QRegularExpression size(QStringLiteral("(\\d+)\\s*[xX\\x{00D7}*]\\s*(\\d+)"));
    const QRegularExpressionMatch match = size.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double count = match.captured(1).toDouble() * match.captured(2).toDouble();
    return count > 0 ? std::optional<double>(count) : std::nullopt;
}

// The program's size nearest to a pixel count.
std::optional<ImageSize> sizeOfPixels(double count) {
    QList<double> counts;
    for (const ImageSizeEntry& size : sizesByPixels())
        counts << pixelsOf(size);
    const int nearest = nearestOnLogScale(counts, count);
    if (nearest < 0)
        return std::nullopt;
    return sizesByPixels()[size_t(nearest)].value;
}

// The place of a size named without pixels, smaller for larger: "Large" < "Medium 1" <
// "Medium 2" < "Small", "L" < "M" < "S1" < "S2". Nothing for other texts.
std::optional<int> namedSizeRank(const QString& text) {
    static const QRegularExpression named(
        QStringLiteral("^(large|medium|middle|small|l|m|s)\\s*(\\d*)\\b"));
    const QRegularExpressionMatch match = named.match(text.trimmed().toLower());
    if (!match.hasMatch())
        return std::nullopt;
    const QChar letter = match.captured(1).at(0);
    const int group = letter == u'l' ? 0 : letter == u's' ? 2 : 1;
    return group * 100 + match.captured(2).toInt();
}

// The pixels each choice stands for. Sizes named without pixels are spread by their
// order over the program's sizes, the largest on the largest and the smallest on the
// smallest, so that each gets a size of its own. A camera that gives pixels for some
// choices is matched on those alone.
QList<std::optional<double>> sizePixels(const QStringList& choices) {
    QList<std::optional<double>> pixels;
    bool anyPixels = false;
    for (const QString& choice : choices) {
        pixels << pixelCount(choice);
        anyPixels = anyPixels || pixels.last().has_value();
    }
    if (anyPixels)
        return pixels;
    QList<int> named; // indices into "choices", largest first
    for (int i = 0; i < choices.size(); ++i)
        if (namedSizeRank(choices[i]))
            named << i;
    std::stable_sort(named.begin(), named.end(), [&](int a, int b) {
        return *namedSizeRank(choices[a]) < *namedSizeRank(choices[b]);
    });
    const std::vector<ImageSizeEntry>& sizes = sizesByPixels();
    const int largest = int(sizes.size()) - 1;
    for (int place = 0; place < named.size(); ++place) {
        const int fromTop =
            named.size() == 1 ? 0 : int(std::lround(double(place) * largest / (named.size() - 1)));
        pixels[named[place]] = pixelsOf(sizes[size_t(largest - fromTop)]);
    }
    return pixels;
}

// --- white balance ------------------------------------------------------------------

enum class Light {
    Auto,
    Daylight,
    Cloudy,
    Shade,
    Tungsten,
    Fluorescent,
    FluorescentDaylight,
    FluorescentNeutral,
    FluorescentWhite,
    FluorescentWarm,
    FluorescentCool,
    Flash,
    Other
};

bool isFluorescent(Light light) {
    return light >= Light::Fluorescent && light <= Light::FluorescentCool;
}

int kelvin(Light light) {
    switch (light) {
    case Light::Daylight:
        return 5200;
    case Light::Cloudy:
        return 6000;
    case Light::Shade:
        return 7000;
    case Light::Tungsten:
        return 3200;
    case Light::Fluorescent:
        return 4000;
    case Light::FluorescentDaylight:
        return 6500;
    case Light::FluorescentNeutral:
        return 5000;
    case Light::FluorescentWhite:
        return 4100;
    case Light::FluorescentWarm:
        return 3000;
    case Light::FluorescentCool:
        return 4200;
    case Light::Flash:
        return 5400;
    default:
        return 0;
    }
}

// The light each of the program's white balances stands for.
std::optional<Light> lightFor(WhiteBalance balance) {
    switch (balance) {
    case WhiteBalance::Auto:
        return Light::Auto;
    case WhiteBalance::Daylight:
        return Light::Daylight;
    case WhiteBalance::Fluorescent:
        return Light::Fluorescent;
    case WhiteBalance::Incandescent:
        return Light::Tungsten;
    case WhiteBalance::FluorescentDaylight:
        return Light::FluorescentDaylight;
    case WhiteBalance::FluorescentNeutral:
        return Light::FluorescentNeutral;
    case WhiteBalance::FluorescentWhite:
        return Light::FluorescentWhite;
    case WhiteBalance::Cloudy:
        return Light::Cloudy;
    }
    return std::nullopt;
}

Light lightOf(const QString& choice) {
    const QStringList words = wordsOf(choice);
    bool fluorescent = false;
    for (const QString& word : words)
        fluorescent = fluorescent || word.startsWith(QLatin1String("fluor"));
    if (hasAny(words, {"push", "preset", "custom", "manual", "kelvin"}))
        return Light::Other;
    if (hasAny(words, {"auto", "automatic", "awb"}))
        return Light::Auto;
    if (fluorescent) {
        if ((words.contains(QLatin1String("day")) && words.contains(QLatin1String("white"))) ||
            hasAny(words, {"neutral", "natural"}))
            return Light::FluorescentNeutral;
        if (hasAny(words, {"daylight", "day"}))
            return Light::FluorescentDaylight;
        if (words.contains(QLatin1String("warm")))
            return Light::FluorescentWarm;
        if (words.contains(QLatin1String("cool")))
            return Light::FluorescentCool;
        if (words.contains(QLatin1String("white")))
            return Light::FluorescentWhite;
        return Light::Fluorescent;
    }
    if (hasAny(words, {"tungsten", "incandescent", "incand", "halogen"}))
        return Light::Tungsten;
    if (hasAny(words, {"daylight", "sunny", "sun", "fine"}))
        return Light::Daylight;
    if (hasAny(words, {"cloudy", "cloud", "overcast"}))
        return Light::Cloudy;
    if (hasAny(words, {"shade", "shadow"}))
        return Light::Shade;
    if (words.contains(QLatin1String("flash")))
        return Light::Flash;
    return Light::Other;
}

// The choice of the nearest colour temperature among those of the given family.
std::optional<QString> nearestLight(const QStringList& choices, Light wanted,
                                    const std::function<bool(Light)>& family) {
    QList<double> temperatures;
    QStringList candidates;
    for (const QString& choice : choices) {
        const Light light = lightOf(choice);
        if (kelvin(light) > 0 && family(light)) {
            temperatures << kelvin(light);
            candidates << choice;
        }
    }
    const int nearest = nearestOnLogScale(temperatures, kelvin(wanted));
    if (nearest < 0)
        return std::nullopt;
    return candidates[nearest];
}

// --- flash, focus, monitor ----------------------------------------------------------

enum class Flash { Auto, Off, On, RedEye, SlowSync, Other };

Flash flashOf(const QString& choice) {
    const QStringList words = wordsOf(choice);
    if ((words.contains(QLatin1String("red")) && words.contains(QLatin1String("eye"))) ||
        words.contains(QLatin1String("redeye")))
        return Flash::RedEye;
    if (words.contains(QLatin1String("slow")))
        return Flash::SlowSync;
    if (hasAny(words, {"off", "never", "suppressed", "disabled"}))
        return Flash::Off;
    if (hasAny(words, {"auto", "automatic"}))
        return Flash::Auto;
    if (hasAny(words, {"rear", "external", "wireless", "sync"}))
        return Flash::Other;
    if (hasAny(words, {"fill", "on", "forced", "always"}))
        return Flash::On;
    return Flash::Other;
}

enum class Focus { Auto, Manual, Macro, Other };

Focus focusOf(const QString& choice) {
    const QStringList words = wordsOf(choice);
    if (words.contains(QLatin1String("macro")))
        return Focus::Macro;
    if (hasAny(words, {"manual", "mf"}))
        return Focus::Manual;
    if (hasAny(words, {"auto", "automatic", "af", "single", "servo", "continuous", "ai"}) ||
        (words.contains(QLatin1String("one")) && words.contains(QLatin1String("shot"))))
        return Focus::Auto;
    return Focus::Other;
}

enum class Screen { Off, On, Other };

Screen screenOf(const QString& choice) {
    const QStringList words = wordsOf(choice);
    if (words.contains(QLatin1String("off")))
        return Screen::Off;
    if (hasAny(words, {"tft", "lcd", "on", "monitor", "screen"}))
        return Screen::On;
    return Screen::Other;
}

} // namespace

ChoicePick imageSizeChoice(const QStringList& choices, ImageSize size) {
    const ImageSizeEntry* wanted = findImageSize(size);
    if (!wanted)
        return ChoicePick::unknownCode();
    const QString meaning =
        QStringLiteral("%1x%2").arg(wanted->pixels.width()).arg(wanted->pixels.height());
    const QList<std::optional<double>> pixels = sizePixels(choices);
    QList<double> counts;
    QStringList sizes;
    for (int i = 0; i < choices.size(); ++i) {
        if (!pixels[i])
            continue;
        // A camera size that reads back as this very size: writing a size read from
        // the camera must not move it to another camera size of the same program size.
        if (sizeOfPixels(*pixels[i]) == size)
            return ChoicePick::found(choices[i], meaning);
        counts << *pixels[i];
        sizes << choices[i];
    }
    const int nearest = nearestOnLogScale(counts, pixelsOf(*wanted));
    if (nearest < 0)
        return ChoicePick::noMatch(meaning);
    return ChoicePick::found(sizes[nearest], meaning);
}

std::optional<ImageSize> imageSizeOf(const QStringList& choices, const QString& current) {
    // Ordered as the writing orders them, so that sizes of equal rank ("L 3:2",
    // "L 16:9") read back as the size that keeps the current one.
    const QStringList ordered = withCurrentFirst(choices, current);
    if (ordered.isEmpty())
        return std::nullopt;
    const std::optional<double> count = sizePixels(ordered).first();
    return count ? sizeOfPixels(*count) : std::nullopt;
}

ChoicePick whiteBalanceChoice(const QStringList& choices, WhiteBalance balance) {
    const std::optional<QString> meaning = captionOf(settingTables::whiteBalances(), balance);
    const std::optional<Light> light = lightFor(balance);
    if (!meaning || !light)
        return ChoicePick::unknownCode();
    const std::function<Light(const QString&)> classify = lightOf;
    if (auto exact = firstOfClasses(choices, classify, {*light}))
        return ChoicePick::found(*exact, *meaning);
    if (*light == Light::Auto)
        return ChoicePick::noMatch(*meaning);
    if (isFluorescent(*light))
        if (auto near = nearestLight(choices, *light, isFluorescent))
            return ChoicePick::found(*near, *meaning);
    if (auto near = nearestLight(choices, *light, [](Light) { return true; }))
        return ChoicePick::found(*near, *meaning);
    return ChoicePick::noMatch(*meaning);
}

ChoicePick flashChoice(const QStringList& choices, FlashMode mode) {
    const std::optional<QString> meaning = captionOf(settingTables::flashModes(), mode);
    if (!meaning)
        return ChoicePick::unknownCode();
    const std::function<Flash(const QString&)> classify = flashOf;
    switch (mode) {
    case FlashMode::Auto:
        return pickByClass(choices, classify, {Flash::Auto}, *meaning);
    case FlashMode::Off:
        return pickByClass(choices, classify, {Flash::Off}, *meaning);
    case FlashMode::On:
        return pickByClass(choices, classify, {Flash::On}, *meaning);
    case FlashMode::RedEye:
        return pickByClass(choices, classify, {Flash::RedEye, Flash::Auto}, *meaning);
    case FlashMode::SlowSync:
        return pickByClass(choices, classify, {Flash::SlowSync, Flash::On}, *meaning);
    }
    return ChoicePick::unknownCode();
}

ChoicePick focusModeChoice(const QStringList& choices, FocusMode mode) {
    const std::optional<QString> meaning = captionOf(settingTables::focusModes(), mode);
    if (!meaning)
        return ChoicePick::unknownCode();
    const std::function<Focus(const QString&)> classify = focusOf;
    switch (mode) {
    case FocusMode::Macro:
        return pickByClass(choices, classify, {Focus::Macro, Focus::Auto}, *meaning);
    case FocusMode::Auto:
        return pickByClass(choices, classify, {Focus::Auto}, *meaning);
    case FocusMode::Manual:
        return pickByClass(choices, classify, {Focus::Manual}, *meaning);
    }
    return ChoicePick::unknownCode();
}

ChoicePick monitorChoice(const QStringList& choices, MonitorMode mode) {
    const std::optional<QString> meaning = captionOf(settingTables::monitorModes(), mode);
    if (!meaning)
        return ChoicePick::unknownCode();
    const std::function<Screen(const QString&)> classify = screenOf;
    switch (mode) {
    case MonitorMode::Off:
        return pickByClass(choices, classify, {Screen::Off}, *meaning);
    case MonitorMode::On:
    case MonitorMode::Review:
        return pickByClass(choices, classify, {Screen::On}, *meaning);
    }
    return ChoicePick::unknownCode();
}

} // namespace snapdeck::gphoto2
