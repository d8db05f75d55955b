#include "camera/CameraSettings.h"

#include "support/QtPrinters.h"

#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

// The caption a lookup's position stands for, as the list would show it.
template <typename Entries>
std::optional<QString> captionAt(const Entries& entries, std::optional<int> position) {
    if (!position)
        return std::nullopt;
    return entries[size_t(*position)].caption.toString();
}

std::optional<QString> apertureCaptionFor(int aperture) {
    return captionAt(settingTables::apertures(), aperturePositionFor(aperture));
}

std::optional<QString> shutterCaptionFor(int microseconds) {
    return captionAt(settingTables::shutterTimes(), shutterPositionFor(microseconds));
}

} // namespace

TEST(SettingTables, ListsHaveTheirEntries) {
    using namespace settingTables;
    EXPECT_EQ(imageSizes().size(), 8u);
    EXPECT_EQ(exposureModes().size(), 2u);
    EXPECT_EQ(whiteBalances().size(), 8u);
    EXPECT_EQ(flashModes().size(), 5u);
    EXPECT_EQ(shutterTimes().size(), 43u);
    EXPECT_EQ(apertures().size(), 10u);
    EXPECT_EQ(isoSpeeds().size(), 5u);
    EXPECT_EQ(monitorModes().size(), 3u);
    EXPECT_EQ(focusModes().size(), 3u);
}

// The lists do not show the camera's values in their own order: a caption that sends
// its neighbour's value would switch the flash on when the user switched it off.
TEST(SettingTables, CaptionsSendTheirOwnValues) {
    using namespace settingTables;
    EXPECT_EQ(flashModes()[1].caption.toString(), QStringLiteral("Включено"));
    EXPECT_EQ(flashModes()[1].value, FlashMode::On);
    EXPECT_EQ(flashModes()[2].caption.toString(), QStringLiteral("Выключено"));
    EXPECT_EQ(flashModes()[2].value, FlashMode::Off);
    EXPECT_EQ(isoSpeeds()[1].caption.toString(), QStringLiteral("ISO 50"));
    EXPECT_EQ(isoSpeeds()[1].value, IsoSpeed::Iso50);
    EXPECT_EQ(exposureModes()[0].caption.toString(), QStringLiteral("Авто"));
    EXPECT_EQ(exposureModes()[0].value, ExposureMode::Automatic);
    EXPECT_EQ(monitorModes()[0].caption.toString(), QStringLiteral("Выключен"));
    EXPECT_EQ(monitorModes()[0].value, MonitorMode::Off);
    EXPECT_EQ(focusModes()[1].caption.toString(), QStringLiteral("Вручную"));
    EXPECT_EQ(focusModes()[1].value, FocusMode::Manual);
    EXPECT_EQ(imageSizes()[7].caption.toString(), QStringLiteral("HQ 3264x2448"));
    EXPECT_EQ(imageSizes()[7].value, ImageSize::Hq3264x2448);
    EXPECT_EQ(shutterTimes()[3].caption.toString(), QStringLiteral("1/600"));
}

// Every shutter time is its caption's time in microseconds, to the nearest microsecond
// with a half going up; every aperture is its f-number times ten; every image size has
// the pixels its caption names.
TEST(SettingTables, ValuesAgreeWithTheirCaptions) {
    for (const SettingEntry<int>& entry : settingTables::shutterTimes()) {
        const QString caption = entry.caption.toString();
        const double seconds = caption.startsWith(QStringLiteral("1/"))
                                   ? 1.0 / caption.mid(2).toDouble()
                                   : caption.chopped(2).toDouble();
        EXPECT_EQ(entry.value, static_cast<int>(std::floor(seconds * 1e6 + 0.5)))
            << caption.toStdString();
    }
    for (const SettingEntry<int>& entry : settingTables::apertures())
        EXPECT_EQ(entry.value, std::lround(entry.caption.toString().toDouble() * 10));

    const QRegularExpression pixels(QStringLiteral("(\\d+)x(\\d+)$"));
    for (const ImageSizeEntry& entry : settingTables::imageSizes()) {
        const auto match = pixels.match(entry.caption.toString());
        ASSERT_TRUE(match.hasMatch()) << entry.caption.toString().toStdString();
        EXPECT_EQ(entry.pixels, QSize(match.captured(1).toInt(), match.captured(2).toInt()));
        EXPECT_EQ(findImageSize(entry.value), &entry);
    }
    EXPECT_EQ(findImageSize(ImageSize(7)), nullptr);
    EXPECT_EQ(findImageSize(ImageSize(8)), nullptr);
}

TEST(AperturePositionFor, AReportedApertureMovesUpToTheNextOneOfTheList) {
    EXPECT_FALSE(apertureCaptionFor(27));
    EXPECT_EQ(apertureCaptionFor(28), QStringLiteral("2.8"));
    EXPECT_EQ(apertureCaptionFor(29), QStringLiteral("3.2"));
    EXPECT_EQ(apertureCaptionFor(30), QStringLiteral("3.2"));
    EXPECT_EQ(apertureCaptionFor(32), QStringLiteral("3.2"));
    EXPECT_EQ(apertureCaptionFor(33), QStringLiteral("3.5"));
    EXPECT_EQ(apertureCaptionFor(57), QStringLiteral("6.3"));
    EXPECT_EQ(apertureCaptionFor(80), QStringLiteral("8.0"));
    EXPECT_FALSE(apertureCaptionFor(81));
    EXPECT_FALSE(apertureCaptionFor(0));
    EXPECT_FALSE(apertureCaptionFor(-28));
}

TEST(ShutterPositionFor, OnlyAnExactTimeHasAnEntry) {
    EXPECT_EQ(shutterCaptionFor(33333), QStringLiteral("1/30"));
    EXPECT_EQ(shutterCaptionFor(1563), QStringLiteral("1/640"));
    EXPECT_EQ(shutterCaptionFor(15000000), QStringLiteral("15''"));
    EXPECT_EQ(shutterCaptionFor(1000), QStringLiteral("1/1000"));
    EXPECT_FALSE(shutterCaptionFor(1562));
    EXPECT_FALSE(shutterCaptionFor(999));
    EXPECT_FALSE(shutterCaptionFor(0));
}
