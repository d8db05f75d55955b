#include "camera/gphoto2/Gphoto2Camera.h"
#include "Gphoto2TestSupport.h"
#include "PtpIpTestCamera.h"
#include "app/CameraFactory.h"
#include "camera/gphoto2/Gphoto2Errors.h"

#include <QCryptographicHash>
#include <algorithm>
#include <memory>
#include <sys/stat.h>
#include <utility>
#include <vector>

using namespace std::chrono_literals;
using snapdeck::Camera;
using snapdeck::CameraError;
using snapdeck::CameraOptions;
using snapdeck::createCamera;
using snapdeck::Exposure;
using snapdeck::ExposureMode;
using snapdeck::FlashMode;
using snapdeck::FocusMode;
using snapdeck::Gphoto2Camera;
using snapdeck::Gphoto2Options;
using snapdeck::ImageSize;
using snapdeck::IsoSpeed;
using snapdeck::kCameraNotAnswering;
using snapdeck::MonitorMode;
using snapdeck::TransferProgress;
using snapdeck::WhiteBalance;
using snapdeck::gphoto2::Gphoto2Error::BadValue;
using snapdeck::gphoto2::Gphoto2Error::CameraRefused;
using snapdeck::gphoto2::Gphoto2Error::NotSupported;
using snapdeck::test::errorOf;
using snapdeck::test::PtpIpTestCamera;

namespace {

using Clock = std::chrono::steady_clock;

// PTP property codes of the test camera.
const QString kBattery = QStringLiteral("5001");
const QString kImageSize = QStringLiteral("5003");
const QString kWhiteBalance = QStringLiteral("5005");
const QString kFNumber = QStringLiteral("5007");
const QString kFocalLength = QStringLiteral("5008");
const QString kFocusDistance = QStringLiteral("5009");
const QString kFocusMode = QStringLiteral("500A");
const QString kFlash = QStringLiteral("500C");
const QString kExposureTime = QStringLiteral("500D");
const QString kProgram = QStringLiteral("500E");
const QString kIso = QStringLiteral("500F");

class Gphoto2CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        Gphoto2Options options;
        options.port = device.portPath();
        // Short limits keep the fault tests quick; our camera answers in milliseconds.
        options.callLimit = 1000ms;
        options.captureLimit = 1000ms;
        options.startLimit = 10s;
        camera = std::make_unique<Gphoto2Camera>(options);
        ASSERT_TRUE(camera->initialize());
        ASSERT_EQ(camera->cameraCount(), 1);
        camera->open(0);
    }

    int battery() { return camera->batteryPercent(); }
    // Keeps every progress report (bytes so far, whole size) of a copy.
    TransferProgress recordProgress() {
        return [this](qint64 done, qint64 total) { progress.emplace_back(done, total); };
    }

    QByteArray sha1(const QByteArray& bytes) {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
    }

    PtpIpTestCamera device;
    std::unique_ptr<Gphoto2Camera> camera;
    std::vector<std::pair<qint64, qint64>> progress;
};

TEST_F(Gphoto2CameraTest, OpensTheCameraOnItsPortAndShowsItsOwnModel) {
    EXPECT_EQ(camera->modelName(), QStringLiteral("Snapdeck PTP/IP Test Camera"));
    EXPECT_EQ(battery(), 80);
    EXPECT_EQ(camera->pictureCount(), 0);

    // Ending a PTP/IP session must leave our standard input alone (libgphoto2 closes
    // descriptor 0 there), and the next operation opens the camera again.
    struct stat before {};
    ASSERT_EQ(fstat(0, &before), 0);
    camera->close();
    struct stat after {};
    ASSERT_EQ(fstat(0, &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(battery(), 80);
}

TEST_F(Gphoto2CameraTest, EachSettingReachesTheCameraAsTheNearestRawValue) {
    camera->setImageSize(ImageSize::Sq1_2048x1536);
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("2048x1536"));
    camera->setImageSize(ImageSize::Sq1_2288x1712); // the camera's nearest is 2048x1536
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("2048x1536"));
    camera->setImageSize(ImageSize::Hq3264x2448);
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("3264x2448"));
    EXPECT_EQ(camera->imageSize(), ImageSize::Hq3264x2448);

    camera->setWhiteBalance(WhiteBalance::Daylight);
    EXPECT_EQ(device.property(kWhiteBalance), QStringLiteral("4"));
    camera->setWhiteBalance(WhiteBalance::Incandescent);
    EXPECT_EQ(device.property(kWhiteBalance), QStringLiteral("6")); // tungsten
    // White fluorescent: the camera has plain fluorescent.
    camera->setWhiteBalance(WhiteBalance::FluorescentWhite);
    EXPECT_EQ(device.property(kWhiteBalance), QStringLiteral("5"));

    camera->setIsoSpeed(IsoSpeed::Auto);
    EXPECT_EQ(device.property(kIso), QStringLiteral("65535"));
    camera->setIsoSpeed(IsoSpeed::Iso50);
    EXPECT_EQ(device.property(kIso), QStringLiteral("50"));
    camera->setIsoSpeed(IsoSpeed::Iso400);
    EXPECT_EQ(device.property(kIso), QStringLiteral("400"));

    camera->setFlashMode(FlashMode::Off);
    EXPECT_EQ(device.property(kFlash), QStringLiteral("2"));
    camera->setFlashMode(FlashMode::On); // fill flash
    EXPECT_EQ(device.property(kFlash), QStringLiteral("3"));
    camera->setFlashMode(FlashMode::RedEye);
    EXPECT_EQ(device.property(kFlash), QStringLiteral("4"));

    camera->setFocusMode(FocusMode::Manual);
    EXPECT_EQ(device.property(kFocusMode), QStringLiteral("1"));
    camera->setFocusMode(FocusMode::Macro);
    EXPECT_EQ(device.property(kFocusMode), QStringLiteral("3"));
}

TEST_F(Gphoto2CameraTest, ManualExposureIsWrittenAndReadBackOnTheProgramsScale) {
    camera->setExposure({ExposureMode::Manual, 56, 33333});
    EXPECT_EQ(device.property(kProgram), QStringLiteral("1"));
    EXPECT_EQ(device.property(kFNumber), QStringLiteral("560"));
    EXPECT_EQ(device.property(kExposureTime), QStringLiteral("333"));
    EXPECT_EQ(camera->exposure(), (Exposure{ExposureMode::Manual, 56, 33333}));

    // f/4.5 and 1/640: the camera has f/4 and 1/500.
    camera->setExposure({ExposureMode::Manual, 45, 1563});
    EXPECT_EQ(device.property(kFNumber), QStringLiteral("400"));
    EXPECT_EQ(device.property(kExposureTime), QStringLiteral("20"));
}

TEST_F(Gphoto2CameraTest, AutomaticExposureLeavesApertureAndShutterToTheCamera) {
    camera->setExposure({ExposureMode::Automatic, 80, 1000000});
    EXPECT_EQ(device.property(kProgram), QStringLiteral("2"));
    EXPECT_TRUE(device.writes(kFNumber).isEmpty());
    EXPECT_TRUE(device.writes(kExposureTime).isEmpty());
    EXPECT_EQ(camera->exposure().mode, ExposureMode::Automatic);
}

TEST_F(Gphoto2CameraTest, ApertureIsWrittenExactlyUnderARussianLocale) {
    if (!snapdeck::test::useRussianLocale())
        GTEST_SKIP() << "the Russian locale could not be built (localedef)";
    // The program's locale is set before its camera is made, as in main().
    Gphoto2Options options;
    options.port = device.portPath();
    Gphoto2Camera russian(options);
    russian.initialize();
    russian.cameraCount();
    russian.open(0);
    russian.setExposure({ExposureMode::Manual, 56, 2000000});
    const Exposure read = russian.exposure();
    snapdeck::test::usePlainLocale();

    EXPECT_EQ(device.property(kFNumber), QStringLiteral("560"));
    EXPECT_EQ(device.property(kExposureTime), QStringLiteral("20000"));
    EXPECT_EQ(read.aperture, 56);
    EXPECT_EQ(read.shutter, 2000000);
}

TEST_F(Gphoto2CameraTest, LensPositionsMapLinearlyOntoTheCamerasRanges) {
    camera->setZoom(160); // the middle of 80..240: 6.3 + (31.5 - 6.3) / 2 mm
    EXPECT_EQ(device.property(kFocalLength), QStringLiteral("1890"));
    EXPECT_EQ(camera->zoom(), 160);
    camera->setZoom(240);
    EXPECT_EQ(device.property(kFocalLength), QStringLiteral("3150"));

    camera->setFocus(240);
    EXPECT_EQ(device.property(kFocusDistance), QStringLiteral("10000"));
    camera->setFocus(120);
    EXPECT_EQ(camera->focus(), 120);

    EXPECT_EQ(errorOf([&] { camera->setZoom(250); }).number(), BadValue);
}

TEST_F(Gphoto2CameraTest, WhatTheCameraLacksIsAClearErrorNamingTheSetting) {
    const CameraError monitor = errorOf([&] { camera->setMonitorMode(MonitorMode::Off); });
    EXPECT_EQ(monitor.number(), NotSupported);
    EXPECT_TRUE(monitor.description().contains(QStringLiteral("Режим экрана")));

    // Whether a camera previews shows only when it is asked to; from then on the
    // camera says it cannot.
    EXPECT_TRUE(camera->capabilities().preview);
    const CameraError preview = errorOf([&] { camera->takePreview(recordProgress()); });
    EXPECT_EQ(preview.number(), NotSupported);
    EXPECT_TRUE(preview.description().contains(QStringLiteral("просмотр")));
    EXPECT_FALSE(camera->capabilities().preview);
    EXPECT_TRUE(progress.empty());

    const CameraError unknown = errorOf([&] { camera->setWhiteBalance(WhiteBalance(42)); });
    EXPECT_EQ(unknown.number(), BadValue);
    EXPECT_TRUE(unknown.description().contains(QStringLiteral("Баланс белого")));
}

TEST_F(Gphoto2CameraTest, CaptureCopiesTheNewestPictureWithProgressAndDeletesIt) {
    // A picture named to sort after the one the capture makes: the capture's still
    // counts as the newest.
    device.command(QStringLiteral("add SNAP9999.JPG 5000"));

    camera->takePicture();
    const QStringList files = device.files();
    ASSERT_EQ(files.size(), 2);
    const QString taken = files.last();
    const int count = camera->pictureCount();
    ASSERT_EQ(count, 2);
    const qint64 size = camera->pictureSize(count);
    const QStringList held = device.command(QStringLiteral("filebytes ") + taken).split(u' ');
    ASSERT_EQ(held.size(), 2);
    EXPECT_EQ(size, held[1].toLongLong());

    const QByteArray copy = camera->downloadPicture(count, recordProgress());
    EXPECT_EQ(sha1(copy), held[0].toLatin1());
    ASSERT_GE(progress.size(), 3u) << "a picture of several chunks reports each chunk";
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back().first, size);
    for (const auto& [done, total] : progress)
        EXPECT_EQ(total, size) << "at " << done << " bytes";

    camera->deletePicture(count);
    EXPECT_EQ(device.files(), QStringList{QStringLiteral("SNAP9999.JPG")});
    EXPECT_EQ(camera->pictureCount(), 1);
}

TEST_F(Gphoto2CameraTest, RoomLeftIsTheCamerasCountElseFreeSpaceOverTheAveragePicture) {
    EXPECT_EQ(camera->remainingCount(), 123);
    device.command(QStringLiteral("add SNAP0001.JPG 100000"));
    device.command(QStringLiteral("add SNAP0002.JPG 300000"));
    device.command(QStringLiteral("freeimages -1"));
    const qint64 freeKilobytes = device.command(QStringLiteral("freebytes")).toLongLong() / 1024;
    qint64 pictureBytes = 0;
    for (const QString& name : device.files())
        pictureBytes +=
            device.command(QStringLiteral("filebytes ") + name).split(u' ')[1].toLongLong();
    EXPECT_EQ(camera->remainingCount(), freeKilobytes * 1024 / (pictureBytes / 2));
}

TEST_F(Gphoto2CameraTest, ADeleteTheCameraDidNotDoIsAnErrorEvenWhenItSaysDone) {
    device.command(QStringLiteral("add SNAP0042.JPG 4000"));
    const int number = camera->pictureCount();
    device.command(QStringLiteral("fault keepondelete"));
    const CameraError error = errorOf([&] { camera->deletePicture(number); });
    EXPECT_EQ(error.number(), CameraRefused);
    EXPECT_TRUE(error.description().contains(QStringLiteral("SNAP0042.JPG")));
    device.command(QStringLiteral("heal"));
    camera->deletePicture(number);
    EXPECT_TRUE(device.files().isEmpty());
}

// The driver answers the battery level from memory for a second; the room left on the
// card is always asked of the camera.
TEST_F(Gphoto2CameraTest, AKilledCameraIs26AndAnswersAgainAfterTheConnectionCheck) {
    device.command(QStringLiteral("kill"));
    const CameraError gone = errorOf([&] { camera->remainingCount(); });
    EXPECT_EQ(gone.number(), kCameraNotAnswering) << gone.what();
    // The connection check closes the camera; while nothing listens that is 26 too.
    EXPECT_EQ(errorOf([&] { camera->close(); }).number(), kCameraNotAnswering);
    device.command(QStringLiteral("revive"));
    camera->close();
    EXPECT_EQ(battery(), 80);
}

TEST_F(Gphoto2CameraTest, AStalledCameraIs26WithinTheLimitAndIsOpenedAfresh) {
    device.command(QStringLiteral("fault stall"));
    const auto start = Clock::now();
    EXPECT_EQ(errorOf([&] { camera->remainingCount(); }).number(), kCameraNotAnswering);
    EXPECT_LT(Clock::now() - start, 3s);
    device.command(QStringLiteral("heal"));
    camera->close();
    EXPECT_EQ(battery(), 80);
}

TEST_F(Gphoto2CameraTest, ACaptureWithoutTheCamerasEventsEndsAt26) {
    device.command(QStringLiteral("fault nocaptureevents"));
    const auto start = Clock::now();
    EXPECT_EQ(errorOf([&] { camera->takePicture(); }).number(), kCameraNotAnswering);
    EXPECT_LT(Clock::now() - start, 4s);
    device.command(QStringLiteral("heal"));
    camera->takePicture();
    EXPECT_EQ(device.files().size(), 2); // the silent capture's picture, and this one
}

TEST(Gphoto2CameraPort, ACameraThatDoesNotListenIsNotCountedAndABadPortIsExplained) {
    Gphoto2Options nobody;
    {
        PtpIpTestCamera gone; // a port that was just in use and is free now
        nobody.port = gone.portPath();
    }
    Gphoto2Camera absent(nobody);
    ASSERT_TRUE(absent.initialize());
    EXPECT_EQ(absent.cameraCount(), 0);

    Gphoto2Options wrong;
    wrong.port = QStringLiteral("carrier-pigeon:7");
    Gphoto2Camera misnamed(wrong);
    const CameraError error = errorOf([&] { misnamed.initialize(); });
    EXPECT_NE(error.number(), kCameraNotAnswering);
    EXPECT_TRUE(error.description().contains(QStringLiteral("carrier-pigeon:7")));
}

// "--port=ptpip:ADDRESS:PORT" as a user types it: the library alone would look for the
// camera's events on 15740 and never open it.
TEST(Gphoto2CameraPort, APtpIpPortWithoutAnEventPortReachesTheCamera) {
    PtpIpTestCamera device;
    const std::unique_ptr<Camera> camera = createCamera(CameraOptions{
        QStringLiteral("gphoto2"), QStringLiteral("ptpip:127.0.0.1:%1").arg(device.port())});
    ASSERT_TRUE(camera->initialize());
    ASSERT_EQ(camera->cameraCount(), 1);
    camera->open(0);
    EXPECT_EQ(camera->modelName(), QStringLiteral("Snapdeck PTP/IP Test Camera"));
}

} // namespace
