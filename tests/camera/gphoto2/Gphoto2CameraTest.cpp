#include "camera/Gphoto2Camera.h"
#include "Gphoto2TestSupport.h"
#include "PtpIpTestCamera.h"
#include "camera/CameraFactory.h"
#include "camera/gphoto2/Gphoto2Errors.h"

#include <QCryptographicHash>
#include <memory>
#include <sys/stat.h>
#include <vector>

using namespace std::chrono_literals;
using snapdeck::BatteryStatus;
using snapdeck::CameraControl;
using snapdeck::CameraError;
using snapdeck::CameraOptions;
using snapdeck::createCamera;
using snapdeck::ExposureSettings;
using snapdeck::Gphoto2Camera;
using snapdeck::Gphoto2Options;
using snapdeck::kCameraNotAnswering;
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
        camera->setTransferProgressHandler(
            [this](std::int32_t, std::int32_t bytes) { progress.push_back(bytes); });
        ASSERT_EQ(camera->Initialize(), 0);
        ASSERT_EQ(camera->GetCameraCount(), 1);
        camera->OpenCamera(0);
    }

    int battery() {
        BatteryStatus status;
        camera->GetBatteryStatus(cam, status);
        return status.batteryLevel;
    }

    QByteArray sha1(const QByteArray& bytes) {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
    }

    PtpIpTestCamera device;
    std::unique_ptr<Gphoto2Camera> camera;
    std::int32_t cam = 0;
    std::vector<std::int32_t> progress;
};

TEST_F(Gphoto2CameraTest, OpensTheCameraOnItsPortAndShowsItsOwnModel) {
    std::int32_t index = 0;
    EXPECT_EQ(camera->GetModelName(index), QStringLiteral("Snapdeck PTP/IP Test Camera"));
    EXPECT_EQ(battery(), 80);
    // Neither opening nor listing the card reports transfer progress.
    EXPECT_EQ(camera->GetPictureCount(cam), 0);
    EXPECT_TRUE(progress.empty());

    // Ending a PTP/IP session must leave our standard input alone (libgphoto2 closes
    // descriptor 0 there), and the next operation opens the camera again.
    struct stat before {};
    ASSERT_EQ(fstat(0, &before), 0);
    camera->CloseCamera(cam);
    struct stat after {};
    ASSERT_EQ(fstat(0, &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(battery(), 80);
}

TEST_F(Gphoto2CameraTest, EachSettingReachesTheCameraAsTheNearestRawValue) {
    camera->ImageSize(cam, 4);
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("2048x1536"));
    camera->ImageSize(cam, 5); // 2288x1712: the camera's nearest is 2048x1536
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("2048x1536"));
    camera->ImageSize(cam, 9);
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("3264x2448"));
    EXPECT_EQ(camera->ImageSize(cam), 9);

    camera->WhiteBalance(cam, 1);
    EXPECT_EQ(device.property(kWhiteBalance), QStringLiteral("4")); // daylight
    camera->WhiteBalance(cam, 3);
    EXPECT_EQ(device.property(kWhiteBalance), QStringLiteral("6")); // tungsten
    camera->WhiteBalance(cam, 6); // white fluorescent: the camera has plain fluorescent
    EXPECT_EQ(device.property(kWhiteBalance), QStringLiteral("5"));

    camera->IsoSpeed(cam, 0);
    EXPECT_EQ(device.property(kIso), QStringLiteral("65535"));
    camera->IsoSpeed(cam, 5);
    EXPECT_EQ(device.property(kIso), QStringLiteral("50"));
    camera->IsoSpeed(cam, 3);
    EXPECT_EQ(device.property(kIso), QStringLiteral("400"));

    camera->FlashMode(cam, 1); // off
    EXPECT_EQ(device.property(kFlash), QStringLiteral("2"));
    camera->FlashMode(cam, 2); // on: fill flash
    EXPECT_EQ(device.property(kFlash), QStringLiteral("3"));
    camera->FlashMode(cam, 3); // red eye
    EXPECT_EQ(device.property(kFlash), QStringLiteral("4"));

    camera->FocusMode(cam, 3); // manual
    EXPECT_EQ(device.property(kFocusMode), QStringLiteral("1"));
    camera->FocusMode(cam, 1); // macro
    EXPECT_EQ(device.property(kFocusMode), QStringLiteral("3"));
}

TEST_F(Gphoto2CameraTest, ManualExposureIsWrittenAndReadBackOnTheProgramsScale) {
    ExposureSettings exposure{1, 56, 0, 33333, 0};
    camera->SetExposure(cam, exposure);
    EXPECT_EQ(device.property(kProgram), QStringLiteral("1"));
    EXPECT_EQ(device.property(kFNumber), QStringLiteral("560"));
    EXPECT_EQ(device.property(kExposureTime), QStringLiteral("333"));

    ExposureSettings read{0, 0, 7, 0, 9};
    camera->GetExposure(cam, read);
    EXPECT_EQ(read, (ExposureSettings{1, 56, 7, 33333, 9}));

    exposure = {1, 45, 0, 1563, 0}; // f/4.5 and 1/640: the camera has f/4 and 1/500
    camera->SetExposure(cam, exposure);
    EXPECT_EQ(device.property(kFNumber), QStringLiteral("400"));
    EXPECT_EQ(device.property(kExposureTime), QStringLiteral("20"));
}

TEST_F(Gphoto2CameraTest, AutomaticExposureLeavesApertureAndShutterToTheCamera) {
    ExposureSettings exposure{2, 80, 0, 1000000, 0};
    camera->SetExposure(cam, exposure);
    EXPECT_EQ(device.property(kProgram), QStringLiteral("2"));
    EXPECT_TRUE(device.writes(kFNumber).isEmpty());
    EXPECT_TRUE(device.writes(kExposureTime).isEmpty());
    ExposureSettings read;
    camera->GetExposure(cam, read);
    EXPECT_EQ(read.mode, 2);
}

TEST_F(Gphoto2CameraTest, ApertureIsWrittenExactlyUnderARussianLocale) {
    if (!snapdeck::test::useRussianLocale())
        GTEST_SKIP() << "the Russian locale could not be built (localedef)";
    // The program's locale is set before its camera is made, as in main().
    Gphoto2Options options;
    options.port = device.portPath();
    Gphoto2Camera russian(options);
    russian.Initialize();
    russian.GetCameraCount();
    russian.OpenCamera(0);
    ExposureSettings exposure{1, 56, 0, 2000000, 0};
    russian.SetExposure(cam, exposure);
    ExposureSettings read;
    russian.GetExposure(cam, read);
    snapdeck::test::usePlainLocale();

    EXPECT_EQ(device.property(kFNumber), QStringLiteral("560"));
    EXPECT_EQ(device.property(kExposureTime), QStringLiteral("20000"));
    EXPECT_EQ(read.aperture, 56);
    EXPECT_EQ(read.shutter, 2000000);
}

TEST_F(Gphoto2CameraTest, LensPositionsMapLinearlyOntoTheCamerasRanges) {
    std::int32_t zoom = 160; // the middle of 80..240: 6.3 + (31.5 - 6.3) / 2 mm
    camera->ZoomPosition(cam, zoom);
    EXPECT_EQ(device.property(kFocalLength), QStringLiteral("1890"));
    EXPECT_EQ(camera->ZoomPosition(cam), 160);
    zoom = 240;
    camera->ZoomPosition(cam, zoom);
    EXPECT_EQ(device.property(kFocalLength), QStringLiteral("3150"));

    std::int32_t focus = 240;
    camera->FocusPosition(cam, focus);
    EXPECT_EQ(device.property(kFocusDistance), QStringLiteral("10000"));
    focus = 120;
    camera->FocusPosition(cam, focus);
    EXPECT_EQ(camera->FocusPosition(cam), 120);

    zoom = 250;
    EXPECT_EQ(errorOf([&] { camera->ZoomPosition(cam, zoom); }).number(), BadValue);
}

TEST_F(Gphoto2CameraTest, WhatTheCameraLacksIsAClearErrorNamingTheSetting) {
    const CameraError monitor = errorOf([&] { camera->SetMonitorMode(cam, 1); });
    EXPECT_EQ(monitor.number(), NotSupported);
    EXPECT_TRUE(monitor.description().contains(QStringLiteral("Режим экрана")));

    const CameraError preview = errorOf([&] { camera->TakePreview(cam); });
    EXPECT_EQ(preview.number(), NotSupported);
    EXPECT_TRUE(preview.description().contains(QStringLiteral("просмотр")));

    const CameraError slowSync = errorOf([&] { camera->WhiteBalance(cam, 42); });
    EXPECT_EQ(slowSync.number(), BadValue);
    EXPECT_TRUE(slowSync.description().contains(QStringLiteral("Баланс белого")));
}

TEST_F(Gphoto2CameraTest, CaptureCopiesTheNewestPictureWithProgressAndDeletesIt) {
    // A picture named to sort after the one the capture makes: the capture's still
    // counts as the newest.
    device.command(QStringLiteral("add SNAP9999.JPG 5000"));

    camera->TakePicture(cam);
    const QStringList files = device.files();
    ASSERT_EQ(files.size(), 2);
    const QString taken = files.last();
    const std::int32_t count = camera->GetPictureCount(cam);
    ASSERT_EQ(count, 2);
    camera->SelectedPicture(cam, count);
    std::int32_t size = camera->GetPictureSize(cam);
    const QStringList held = device.command(QStringLiteral("filebytes ") + taken).split(u' ');
    ASSERT_EQ(held.size(), 2);
    EXPECT_EQ(size, held[1].toInt());

    QByteArray buffer(size, '\0');
    progress.clear();
    camera->DownloadPicture(cam, size, buffer);
    EXPECT_EQ(sha1(buffer), held[0].toLatin1());
    ASSERT_GE(progress.size(), 3u) << "a picture of several chunks reports each chunk";
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), size);

    camera->DeletePicture(0);
    EXPECT_EQ(device.files(), QStringList{QStringLiteral("SNAP9999.JPG")});
    EXPECT_EQ(camera->GetPictureCount(cam), 1);
}

TEST_F(Gphoto2CameraTest, RoomLeftIsTheCamerasCountElseFreeSpaceOverTheAveragePicture) {
    EXPECT_EQ(camera->GetRemainingCount(cam), 123);
    device.command(QStringLiteral("add SNAP0001.JPG 100000"));
    device.command(QStringLiteral("add SNAP0002.JPG 300000"));
    device.command(QStringLiteral("freeimages -1"));
    const qint64 freeKilobytes = device.command(QStringLiteral("freebytes")).toLongLong() / 1024;
    qint64 pictureBytes = 0;
    for (const QString& name : device.files())
        pictureBytes +=
            device.command(QStringLiteral("filebytes ") + name).split(u' ')[1].toLongLong();
    EXPECT_EQ(camera->GetRemainingCount(cam), freeKilobytes * 1024 / (pictureBytes / 2));
}

TEST_F(Gphoto2CameraTest, ADeleteTheCameraDidNotDoIsAnErrorEvenWhenItSaysDone) {
    device.command(QStringLiteral("add SNAP0042.JPG 4000"));
    camera->SelectedPicture(cam, camera->GetPictureCount(cam));
    device.command(QStringLiteral("fault keepondelete"));
    const CameraError error = errorOf([&] { camera->DeletePicture(0); });
    EXPECT_EQ(error.number(), CameraRefused);
    EXPECT_TRUE(error.description().contains(QStringLiteral("SNAP0042.JPG")));
    device.command(QStringLiteral("heal"));
    camera->DeletePicture(0);
    EXPECT_TRUE(device.files().isEmpty());
}

// The driver answers the battery level from memory for a second; the room left on the
// card is always asked of the camera.
TEST_F(Gphoto2CameraTest, AKilledCameraIs26AndAnswersAgainAfterTheConnectionCheck) {
    device.command(QStringLiteral("kill"));
    const CameraError gone = errorOf([&] { camera->GetRemainingCount(cam); });
    EXPECT_EQ(gone.number(), kCameraNotAnswering) << gone.what();
    // The connection check closes the camera; while nothing listens that is 26 too.
    EXPECT_EQ(errorOf([&] { camera->CloseCamera(cam); }).number(), kCameraNotAnswering);
    device.command(QStringLiteral("revive"));
    camera->CloseCamera(cam);
    EXPECT_EQ(battery(), 80);
}

TEST_F(Gphoto2CameraTest, AStalledCameraIs26WithinTheLimitAndIsOpenedAfresh) {
    device.command(QStringLiteral("fault stall"));
    const auto start = Clock::now();
    EXPECT_EQ(errorOf([&] { camera->GetRemainingCount(cam); }).number(), kCameraNotAnswering);
    EXPECT_LT(Clock::now() - start, 3s);
    device.command(QStringLiteral("heal"));
    camera->CloseCamera(cam);
    EXPECT_EQ(battery(), 80);
}

TEST_F(Gphoto2CameraTest, ACaptureWithoutTheCamerasEventsEndsAt26) {
    device.command(QStringLiteral("fault nocaptureevents"));
    const auto start = Clock::now();
    EXPECT_EQ(errorOf([&] { camera->TakePicture(cam); }).number(), kCameraNotAnswering);
    EXPECT_LT(Clock::now() - start, 4s);
    device.command(QStringLiteral("heal"));
    camera->TakePicture(cam);
    EXPECT_EQ(device.files().size(), 2); // the silent capture's picture, and this one
}

TEST(Gphoto2CameraPort, ACameraThatDoesNotListenIsNotCountedAndABadPortIsExplained) {
    Gphoto2Options nobody;
    {
        PtpIpTestCamera gone; // a port that was just in use and is free now
        nobody.port = gone.portPath();
    }
    Gphoto2Camera absent(nobody);
    ASSERT_EQ(absent.Initialize(), 0);
    EXPECT_EQ(absent.GetCameraCount(), 0);

    Gphoto2Options wrong;
    wrong.port = QStringLiteral("carrier-pigeon:7");
    Gphoto2Camera misnamed(wrong);
    const CameraError error = errorOf([&] { misnamed.Initialize(); });
    EXPECT_NE(error.number(), kCameraNotAnswering);
    EXPECT_TRUE(error.description().contains(QStringLiteral("carrier-pigeon:7")));
}

// "--port=ptpip:ADDRESS:PORT" as a user types it: the library alone would look for the
// camera's events on 15740 and never open it.
TEST(Gphoto2CameraPort, APtpIpPortWithoutAnEventPortReachesTheCamera) {
    PtpIpTestCamera device;
    const std::unique_ptr<CameraControl> camera = createCamera(CameraOptions{
        QStringLiteral("gphoto2"), QStringLiteral("ptpip:127.0.0.1:%1").arg(device.port())});
    ASSERT_EQ(camera->Initialize(), 0);
    ASSERT_EQ(camera->GetCameraCount(), 1);
    camera->OpenCamera(0);
    std::int32_t index = 0;
    EXPECT_EQ(camera->GetModelName(index), QStringLiteral("Snapdeck PTP/IP Test Camera"));
}

} // namespace
