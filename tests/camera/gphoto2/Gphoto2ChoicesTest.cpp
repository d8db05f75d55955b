#include "camera/gphoto2/AutoIsoSwitch.h"
#include "camera/gphoto2/BatteryLevel.h"
#include "camera/gphoto2/ChoiceMatching.h"
#include "camera/gphoto2/ExposureChoices.h"
#include "camera/gphoto2/LensScale.h"
#include "camera/gphoto2/PictureChoices.h"
#include "camera/gphoto2/PictureOrder.h"
#include "camera/gphoto2/ShutterTimes.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace snapdeck::gphoto2;
using snapdeck::ExposureMode;
using snapdeck::FlashMode;
using snapdeck::FocusMode;
using snapdeck::ImageSize;
using snapdeck::IsoSpeed;
using snapdeck::MonitorMode;
using snapdeck::WhiteBalance;
namespace settingTables = snapdeck::settingTables;

namespace {

QString chosen(const ChoicePick& pick) {
    return pick.status == ChoicePick::Status::Found ? pick.choice : QStringLiteral("(none)");
}

TEST(Gphoto2Choices, NumbersAreReadWithEitherDecimalMarkAndMatchedInStops) {
    EXPECT_EQ(firstNumber(QStringLiteral("f/5.6")), 5.6);
    EXPECT_EQ(firstNumber(QStringLiteral("0,0333s")), 0.0333);
    EXPECT_EQ(firstNumber(QStringLiteral("ISO 100")), 100.0);
    EXPECT_FALSE(firstNumber(QStringLiteral("Auto")).has_value());

    EXPECT_EQ(nearestOnLogScale({2.8, 4.0, 5.6}, 4.5), 1); // f/4.5 is nearer f/4 in stops
    EXPECT_EQ(nearestOnLogScale({100, 400}, 200), 0);      // a tie goes to the smaller
    EXPECT_EQ(nearestOnLogScale({0, -1}, 200), -1);
}

TEST(Gphoto2Choices, ShutterTextsOfEveryStyleBecomeNominalMicroseconds) {
    EXPECT_EQ(shutterMicroseconds(QStringLiteral("1/30")), 33333);
    EXPECT_EQ(shutterMicroseconds(QStringLiteral("0.0333s")), 33300);
    EXPECT_EQ(shutterMicroseconds(QStringLiteral("0,5")), 500000);
    EXPECT_EQ(shutterMicroseconds(QStringLiteral("1/2.5")), 400000);
    EXPECT_EQ(shutterMicroseconds(QStringLiteral("30\"")), 30000000);
    EXPECT_FALSE(shutterMicroseconds(QStringLiteral("Bulb")).has_value());

    // PTP keeps tenths of a millisecond; the program's list needs the nominal speed.
    EXPECT_EQ(shutterCode(QStringLiteral("0.0333s")), 33333);
    EXPECT_EQ(shutterCode(QStringLiteral("0.0016s")), 1563); // 1/640
    EXPECT_EQ(shutterCode(QStringLiteral("0.0017s")), 1667); // 1/600
    EXPECT_EQ(shutterCode(QStringLiteral("0.0070s")), 7000); // no speed within 5 %
    EXPECT_EQ(shutterCode(QStringLiteral("Bulb")), 0);

    const QStringList camera = {QStringLiteral("0.0010s"), QStringLiteral("0.0333s"),
                                QStringLiteral("1.0000s"), QStringLiteral("Bulb")};
    EXPECT_EQ(chosen(shutterChoice(camera, 33333)), QStringLiteral("0.0333s"));
    EXPECT_EQ(chosen(shutterChoice(camera, 15000000)), QStringLiteral("1.0000s"));
}

// The shutter list finds a time read back from the camera only by its exact value.
TEST(Gphoto2Choices, EveryShutterTimeOfTheListReadsBackAsItselfFromTenthsOfAMillisecond) {
    for (const auto& entry : settingTables::shutterTimes()) {
        const int tenths = int(std::lround(entry.value / 100.0));
        const QString ptp = QString::number(tenths / 10000.0, 'f', 4) + u's';
        EXPECT_EQ(shutterCode(ptp), entry.value) << ptp.toStdString();
    }
}

TEST(Gphoto2Choices, WhiteBalanceFindsTheSameLightElseTheNearestTemperature) {
    const QStringList nikon = {QStringLiteral("Automatic"),
                               QStringLiteral("Daylight"),
                               QStringLiteral("Fluorescent"),
                               QStringLiteral("Tungsten"),
                               QStringLiteral("Cloudy"),
                               QStringLiteral("Warm-white fluorescent"),
                               QStringLiteral("White fluorescent"),
                               QStringLiteral("Day white fluorescent"),
                               QStringLiteral("Daylight fluorescent"),
                               QStringLiteral("Preset manual")};
    EXPECT_EQ(chosen(whiteBalanceChoice(nikon, WhiteBalance::Auto)), QStringLiteral("Automatic"));
    EXPECT_EQ(chosen(whiteBalanceChoice(nikon, WhiteBalance::FluorescentDaylight)),
              QStringLiteral("Daylight fluorescent"));
    EXPECT_EQ(chosen(whiteBalanceChoice(nikon, WhiteBalance::FluorescentNeutral)),
              QStringLiteral("Day white fluorescent"));
    EXPECT_EQ(chosen(whiteBalanceChoice(nikon, WhiteBalance::FluorescentWhite)),
              QStringLiteral("White fluorescent"));
    EXPECT_EQ(chosen(whiteBalanceChoice(nikon, WhiteBalance::Cloudy)), QStringLiteral("Cloudy"));

    const QStringList plain = {QStringLiteral("One-push Automatic"), QStringLiteral("Daylight"),
                               QStringLiteral("Fluorescent"), QStringLiteral("Tungsten")};
    EXPECT_EQ(whiteBalanceChoice(plain, WhiteBalance::Auto).status, ChoicePick::Status::NoMatch);
    EXPECT_EQ(chosen(whiteBalanceChoice(plain, WhiteBalance::Cloudy)), QStringLiteral("Daylight"));
    EXPECT_EQ(chosen(whiteBalanceChoice(plain, WhiteBalance::FluorescentNeutral)),
              QStringLiteral("Fluorescent"));
    EXPECT_EQ(whiteBalanceChoice(plain, WhiteBalance(8)).status, ChoicePick::Status::UnknownCode);
}

TEST(Gphoto2Choices, ModesMatchByMeaningWithFallbacksToTheNearest) {
    const QStringList flash = {QStringLiteral("Red-eye automatic"),
                               QStringLiteral("Automatic Flash"), QStringLiteral("Flash off"),
                               QStringLiteral("Fill flash")};
    EXPECT_EQ(chosen(flashChoice(flash, FlashMode::Auto)), QStringLiteral("Automatic Flash"));
    EXPECT_EQ(chosen(flashChoice(flash, FlashMode::Off)), QStringLiteral("Flash off"));
    EXPECT_EQ(chosen(flashChoice(flash, FlashMode::SlowSync)), QStringLiteral("Fill flash"));
    EXPECT_EQ(chosen(flashChoice({QStringLiteral("Auto")}, FlashMode::RedEye)),
              QStringLiteral("Auto"));
    EXPECT_EQ(flashChoice({QStringLiteral("Auto")}, FlashMode::Off).status,
              ChoicePick::Status::NoMatch);

    const QStringList canon = {QStringLiteral("One Shot"), QStringLiteral("AI Focus"),
                               QStringLiteral("AI Servo"), QStringLiteral("Manual")};
    EXPECT_EQ(chosen(focusModeChoice(canon, FocusMode::Auto)), QStringLiteral("One Shot"));
    EXPECT_EQ(chosen(focusModeChoice(canon, FocusMode::Macro)), QStringLiteral("One Shot"));
    EXPECT_EQ(chosen(focusModeChoice(canon, FocusMode::Manual)), QStringLiteral("Manual"));

    const QStringList dial = {QStringLiteral("Green"), QStringLiteral("AV"), QStringLiteral("P"),
                              QStringLiteral("Manual")};
    EXPECT_EQ(chosen(programChoice(dial, ExposureMode::Automatic)), QStringLiteral("P"));
    EXPECT_EQ(chosen(programChoice(dial, ExposureMode::Manual)), QStringLiteral("Manual"));
    EXPECT_EQ(chosen(programChoice({QStringLiteral("Auto"), QStringLiteral("M")},
                                   ExposureMode::Automatic)),
              QStringLiteral("Auto"));
    EXPECT_EQ(exposureMode(QStringLiteral("M")), ExposureMode::Manual);
    EXPECT_EQ(exposureMode(QStringLiteral("AV")), ExposureMode::Automatic);

    const QStringList output = {QStringLiteral("TFT"), QStringLiteral("PC"), QStringLiteral("Off")};
    EXPECT_EQ(chosen(monitorChoice(output, MonitorMode::Off)), QStringLiteral("Off"));
    EXPECT_EQ(chosen(monitorChoice(output, MonitorMode::Review)), QStringLiteral("TFT"));
}

TEST(Gphoto2Choices, IsoAndImageSizeTakeTheNearestTheCameraHas) {
    const QStringList iso = {QStringLiteral("Auto"), QStringLiteral("100"), QStringLiteral("200"),
                             QStringLiteral("800")};
    EXPECT_EQ(chosen(isoChoice(iso, IsoSpeed::Auto)), QStringLiteral("Auto"));
    EXPECT_EQ(chosen(isoChoice(iso, IsoSpeed::Iso50)), QStringLiteral("100"));
    // 400 lies as far from 200 as from 800: a tie, the lower.
    EXPECT_EQ(chosen(isoChoice(iso, IsoSpeed::Iso400)), QStringLiteral("200"));
    EXPECT_EQ(isoChoice({QStringLiteral("100")}, IsoSpeed::Auto).status,
              ChoicePick::Status::NoMatch);
    EXPECT_EQ(isoChoice(iso, IsoSpeed(4)).status, ChoicePick::Status::UnknownCode);

    EXPECT_EQ(imageSizeOf({}, QStringLiteral("4000x3000")), ImageSize::Hq3264x2448);
    EXPECT_EQ(imageSizeOf({}, QStringLiteral("800x600")), ImageSize::Sq2_640x480);
    EXPECT_EQ(imageSizeOf({}, QStringLiteral("RAW")), std::nullopt);
    EXPECT_EQ(
        imageSizeChoice({QStringLiteral("RAW"), QStringLiteral("Fine")}, ImageSize::Sq1_1600x1200)
            .status,
        ChoicePick::Status::NoMatch);
    EXPECT_EQ(imageSizeChoice({QStringLiteral("640x480")}, ImageSize(7)).status,
              ChoicePick::Status::UnknownCode);

    // A size of no pixels is no size, whatever the camera says.
    EXPECT_EQ(imageSizeOf({}, QStringLiteral("0x0")), std::nullopt);
    EXPECT_EQ(imageSizeOf({QStringLiteral("640x0")}, QStringLiteral("640x0")), std::nullopt);
    EXPECT_EQ(chosen(imageSizeChoice({QStringLiteral("0x0"), QStringLiteral("640x480")},
                                     ImageSize::Hq3264x2448)),
              QStringLiteral("640x480"));
}

TEST(Gphoto2Choices, ImageSizesReadBackAsTheCodeThatKeepsThem) {
    // Two sizes nearest the same code: the one read back is the one written back.
    const QStringList nikon = {QStringLiteral("6000x4000"), QStringLiteral("4496x3000"),
                               QStringLiteral("2992x2000")};
    for (const QString& size : nikon) {
        const std::optional<ImageSize> read = imageSizeOf(nikon, size);
        ASSERT_TRUE(read) << size.toStdString();
        EXPECT_EQ(chosen(imageSizeChoice(withCurrentFirst(nikon, size), *read)), size);
    }
    EXPECT_EQ(chosen(imageSizeChoice(nikon, ImageSize::Hq3264x2448)), QStringLiteral("6000x4000"));
    EXPECT_EQ(chosen(imageSizeChoice(nikon, ImageSize::Sq2_640x480)), QStringLiteral("2992x2000"));
}

TEST(Gphoto2Choices, EverySizeOfTheProgramsListIsFoundAndReadBackAsItself) {
    QStringList camera;
    for (const snapdeck::ImageSizeEntry& entry : settingTables::imageSizes())
        camera << QStringLiteral("%1x%2").arg(entry.pixels.width()).arg(entry.pixels.height());
    for (const snapdeck::ImageSizeEntry& entry : settingTables::imageSizes()) {
        const QString text =
            QStringLiteral("%1x%2").arg(entry.pixels.width()).arg(entry.pixels.height());
        EXPECT_EQ(chosen(imageSizeChoice(camera, entry.value)), text);
        EXPECT_EQ(imageSizeOf(camera, text), entry.value) << text.toStdString();
    }
}

TEST(Gphoto2Choices, SizesNamedWithoutPixelsSpreadInOrderFromLargestToSmallest) {
    const QStringList sony = {QStringLiteral("Small"), QStringLiteral("Medium 2"),
                              QStringLiteral("Large"), QStringLiteral("Medium 1")};
    EXPECT_EQ(chosen(imageSizeChoice(sony, ImageSize::Hq3264x2448)), QStringLiteral("Large"));
    EXPECT_EQ(chosen(imageSizeChoice(sony, ImageSize::Sq2_640x480)), QStringLiteral("Small"));
    QList<ImageSize> sizes;
    for (const char* size : {"Large", "Medium 1", "Medium 2", "Small"}) {
        const QString name = QString::fromLatin1(size);
        const std::optional<ImageSize> read = imageSizeOf(sony, name);
        ASSERT_TRUE(read) << size;
        sizes << *read;
        EXPECT_EQ(chosen(imageSizeChoice(sony, *read)), name);
    }
    EXPECT_EQ(sizes, (QList<ImageSize>{ImageSize::Hq3264x2448, ImageSize::Sq1_2288x1712,
                                       ImageSize::Sq2_1280x960, ImageSize::Sq2_640x480}));

    const QStringList letters = {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("S1"),
                                 QStringLiteral("S2"), QStringLiteral("S3")};
    EXPECT_EQ(imageSizeOf(letters, QStringLiteral("L")), ImageSize::Hq3264x2448);
    EXPECT_EQ(imageSizeOf(letters, QStringLiteral("S3")), ImageSize::Sq2_640x480);
    EXPECT_EQ(chosen(imageSizeChoice(letters, ImageSize::Sq1_1600x1200)), QStringLiteral("S1"));
    // One named size is the largest; an unnamed choice beside it is no size.
    EXPECT_EQ(imageSizeOf({QStringLiteral("Large Fine JPEG"), QStringLiteral("RAW")},
                          QStringLiteral("Large Fine JPEG")),
              ImageSize::Hq3264x2448);
    EXPECT_EQ(imageSizeOf({QStringLiteral("Large Fine JPEG"), QStringLiteral("RAW")},
                          QStringLiteral("RAW")),
              std::nullopt);
}

TEST(Gphoto2Choices, TheCurrentValueWinsAmongChoicesOfTheSameMeaning) {
    const QStringList canon = {QStringLiteral("One Shot"), QStringLiteral("AI Focus"),
                               QStringLiteral("AI Servo"), QStringLiteral("Manual")};
    EXPECT_EQ(chosen(focusModeChoice(withCurrentFirst(canon, QStringLiteral("AI Servo")),
                                     FocusMode::Auto)),
              QStringLiteral("AI Servo"));
    EXPECT_EQ(
        chosen(focusModeChoice(withCurrentFirst(canon, QStringLiteral("Manual")), FocusMode::Auto)),
        QStringLiteral("One Shot"));
    // A read-only entry may list no choices but its current value.
    EXPECT_EQ(withCurrentFirst({}, QStringLiteral("AI Servo")),
              QStringList{QStringLiteral("AI Servo")});
    EXPECT_EQ(withCurrentFirst(canon, QStringLiteral("Manual")).size(), canon.size());

    const QStringList flash = {QStringLiteral("Auto"), QStringLiteral("Auto + Red-eye"),
                               QStringLiteral("Flash off")};
    EXPECT_EQ(
        chosen(flashChoice(withCurrentFirst(flash, QStringLiteral("Auto")), FlashMode::RedEye)),
        QStringLiteral("Auto + Red-eye"));

    for (const char* automatic : {"P", "A", "S", "AV", "TV", "Green", "Auto", "Portrait",
                                  "Creative Auto", "Intelligent Auto"})
        EXPECT_TRUE(isAutomaticProgram(QString::fromLatin1(automatic))) << automatic;
    for (const char* notAutomatic : {"M", "Manual", "Bulb", "Movie", "Movie (P)"})
        EXPECT_FALSE(isAutomaticProgram(QString::fromLatin1(notAutomatic))) << notAutomatic;
}

TEST(Gphoto2Choices, AutomaticIsoIsTheAutoIsoSwitchWhereNoChoiceSaysAuto) {
    const QStringList nikon = {QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("400")};
    const IsoWrites automatic = isoWrites(nikon, true, IsoSpeed::Auto);
    EXPECT_EQ(automatic.autoIsoSwitch, std::optional<bool>(true));
    EXPECT_FALSE(automatic.writeIso);
    const IsoWrites fixed = isoWrites(nikon, true, IsoSpeed::Iso200);
    EXPECT_EQ(fixed.autoIsoSwitch, std::optional<bool>(false));
    EXPECT_TRUE(fixed.writeIso);

    // A camera with an "Auto" choice, or without the switch, is set by its ISO entry.
    const IsoWrites withAuto =
        isoWrites(nikon + QStringList{QStringLiteral("Auto")}, true, IsoSpeed::Auto);
    EXPECT_FALSE(withAuto.autoIsoSwitch.has_value());
    EXPECT_TRUE(withAuto.writeIso);
    const IsoWrites noSwitch = isoWrites(nikon, false, IsoSpeed::Auto);
    EXPECT_FALSE(noSwitch.autoIsoSwitch.has_value());
    EXPECT_TRUE(noSwitch.writeIso);

    const QStringList onOff = {QStringLiteral("On"), QStringLiteral("Off")};
    EXPECT_EQ(switchChoice(onOff, true), QStringLiteral("On"));
    EXPECT_EQ(switchChoice(onOff, false), QStringLiteral("Off"));
    EXPECT_FALSE(switchChoice({QStringLiteral("100")}, true).has_value());
}

TEST(Gphoto2Choices, BatteryTextsBecomePercent) {
    EXPECT_EQ(batteryPercent(QStringLiteral("80%")), 80);
    EXPECT_EQ(batteryPercent(QStringLiteral("Full")), 100);
    EXPECT_EQ(batteryPercent(QStringLiteral("Half")), 50);
    EXPECT_EQ(batteryPercent(QStringLiteral("Low")), 20);
    EXPECT_EQ(batteryPercent(QStringLiteral("Very low")), 5);
    EXPECT_EQ(batteryPercent(QStringLiteral("Empty")), 0);
    EXPECT_EQ(batteryPercent(QStringLiteral("AC adapter")), 100);
    EXPECT_EQ(batteryPercent(QStringLiteral("something new")), 100);
    EXPECT_EQ(batteryPercent(3.0f, 0.0f, 4.0f), 75);
}

TEST(Gphoto2Choices, PicturesAreNumberedOldestFirstWithTheNewCaptureLast) {
    const QString first = QStringLiteral("/store/DCIM/100SNAP");
    const QString second = QStringLiteral("/store/DCIM/101SNAP");
    const QList<CardPicture> card = {{second, QStringLiteral("IMG_1.JPG")},
                                     {first, QStringLiteral("IMG_10.JPG")},
                                     {first, QStringLiteral("IMG_10.CR2")},
                                     {first, QStringLiteral("IMG_9.jpg")},
                                     {first, QStringLiteral("MVI_11.MOV")}};
    const QList<CardPicture> ordered = picturesNewestLast(card, std::nullopt);
    ASSERT_EQ(ordered.size(), 3);
    EXPECT_EQ(ordered[0].name, QStringLiteral("IMG_9.jpg"));
    EXPECT_EQ(ordered[1].name, QStringLiteral("IMG_10.JPG"));
    EXPECT_EQ(ordered[2].folder, second);

    const CardPicture captured{first, QStringLiteral("IMG_10.JPG")};
    EXPECT_EQ(picturesNewestLast(card, captured).last(), captured);
}

TEST(Gphoto2Choices, LensPositionsMapLinearlyBothWays) {
    const CameraRange zoom{6.3f, 31.5f, 0.01f};
    EXPECT_FLOAT_EQ(cameraValue(80, kZoomScale, zoom), 6.3f);
    EXPECT_FLOAT_EQ(cameraValue(240, kZoomScale, zoom), 31.5f);
    EXPECT_NEAR(cameraValue(160, kZoomScale, zoom), 18.9f, 0.005f);
    EXPECT_EQ(sliderPosition(18.9f, kZoomScale, zoom), 160);
    EXPECT_EQ(sliderPosition(40.0f, kZoomScale, zoom), 240);
    EXPECT_EQ(sliderPosition(5.0f, kZoomScale, {5.0f, 5.0f, 0}), 80); // a fixed lens

    // A drive with whole steps lands on a step.
    EXPECT_FLOAT_EQ(cameraValue(85, kZoomScale, {0, 10, 1}), 0.0f);
    EXPECT_FLOAT_EQ(cameraValue(93, kZoomScale, {0, 10, 1}), 1.0f);

    FocusCounter counter;
    EXPECT_EQ(counter.unitsTo(100), 99);
    counter.arrivedAt(100);
    EXPECT_EQ(counter.unitsTo(40), -60);
    EXPECT_EQ(counter.position(), 100);
}

} // namespace
