// Settings made on the camera itself: what the camera already holds is kept when it
// serves the program's wish, and a setting on a read-only dial that does not is a
// clear error naming the setting.
#include "Gphoto2TestSupport.h"
#include "PtpIpTestCamera.h"
#include "camera/Gphoto2Camera.h"
#include "camera/gphoto2/Gphoto2Errors.h"

#include <QSet>
#include <algorithm>
#include <memory>

using namespace std::chrono_literals;
using snapdeck::CameraError;
using snapdeck::ExposureSettings;
using snapdeck::Gphoto2Camera;
using snapdeck::Gphoto2Options;
using snapdeck::gphoto2::Gphoto2Error::CameraRefused;
using snapdeck::test::errorOf;
using snapdeck::test::PtpIpTestCamera;

namespace {

const QString kImageSize = QStringLiteral("5003");
const QString kFocalLength = QStringLiteral("5008");
const QString kFocusMode = QStringLiteral("500A");
const QString kProgram = QStringLiteral("500E");
std::int32_t cam = 0;

// The program's camera on the test camera, opened after the test has set its dials.
std::unique_ptr<Gphoto2Camera> openOn(PtpIpTestCamera& device) {
    Gphoto2Options options;
    options.port = device.portPath();
    options.callLimit = 1000ms;
    options.captureLimit = 1000ms;
    options.startLimit = 10s;
    auto camera = std::make_unique<Gphoto2Camera>(options);
    EXPECT_EQ(camera->Initialize(), 0);
    EXPECT_EQ(camera->GetCameraCount(), 1);
    camera->OpenCamera(0);
    return camera;
}

// Turns the camera's own dial: the driver keeps what it read for a while, and a session
// opened afresh reads the camera anew.
void turnDial(PtpIpTestCamera& device, Gphoto2Camera& camera, const QString& code,
              const QString& value) {
    device.command(QStringLiteral("setprop %1 %2").arg(code, value));
    camera.CloseCamera(cam);
}

void expectRefusedNaming(const CameraError& error, const QString& setting) {
    EXPECT_EQ(error.number(), CameraRefused) << error.what();
    EXPECT_TRUE(error.description().contains(setting)) << error.description().toStdString();
}

TEST(Gphoto2Dials, AnAutomaticModeOnAReadOnlyDialIsKeptAndCapturesWork) {
    PtpIpTestCamera device({QStringLiteral("--readonly"), QStringLiteral("500E,500A,5008")});
    device.command(QStringLiteral("setprop 500E 3")); // A: aperture priority
    const auto camera = openOn(device);

    ExposureSettings automatic{2, 80, 0, 1000000, 0};
    camera->SetExposure(cam, automatic);
    camera->TakePicture(cam);
    ExposureSettings read;
    camera->GetExposure(cam, read);
    EXPECT_EQ(read.mode, 2);
    camera->FocusMode(cam, 2); // "Automatic" already
    EXPECT_TRUE(device.writes(kProgram).isEmpty());
    EXPECT_TRUE(device.writes(kFocusMode).isEmpty());
}

TEST(Gphoto2Dials, AReadOnlyDialThatDoesNotServeIsAClearErrorNamingIt) {
    PtpIpTestCamera device({QStringLiteral("--readonly"), QStringLiteral("500E,500A,5008")});
    const auto camera = openOn(device);

    ExposureSettings manual{1, 56, 0, 33333, 0};
    expectRefusedNaming(errorOf([&] { camera->SetExposure(cam, manual); }),
                        QStringLiteral("Режим экспозиции"));
    expectRefusedNaming(errorOf([&] { camera->FocusMode(cam, 3); }),
                        QStringLiteral("Режим фокусировки"));

    // The zoom ring: where it is, the slider is left alone; elsewhere it is refused.
    std::int32_t zoom = camera->ZoomPosition(cam);
    camera->ZoomPosition(cam, zoom);
    zoom = 200;
    expectRefusedNaming(errorOf([&] { camera->ZoomPosition(cam, zoom); }),
                        QStringLiteral("Увеличение"));
    EXPECT_TRUE(device.writes(kProgram).isEmpty());
    EXPECT_TRUE(device.writes(kFocusMode).isEmpty());
    EXPECT_TRUE(device.writes(kFocalLength).isEmpty());
}

TEST(Gphoto2Dials, AutomaticExposureKeepsTheUsersPriorityModeAndLeavesManualForP) {
    PtpIpTestCamera device;
    device.command(QStringLiteral("setprop 500E 4")); // S: shutter priority
    const auto camera = openOn(device);

    ExposureSettings automatic{2, 0, 0, 0, 0};
    camera->SetExposure(cam, automatic);
    EXPECT_EQ(device.property(kProgram), QStringLiteral("4"));
    ExposureSettings manual{1, 0, 0, 0, 0};
    camera->SetExposure(cam, manual);
    camera->SetExposure(cam, automatic);
    EXPECT_EQ(device.writes(kProgram), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
}

TEST(Gphoto2Dials, SizesNamedWithoutPixelsSpreadOverTheListAndReadBackAsWritten) {
    PtpIpTestCamera device({QStringLiteral("--imagesizes"), QStringLiteral("S2,L,S1,M")});
    const auto camera = openOn(device);

    camera->ImageSize(cam, 9); // the largest
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("L"));
    camera->ImageSize(cam, 0); // the smallest
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("S2"));
    camera->ImageSize(cam, 3); // 1600x1200: the third of the four
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("S1"));
    QList<std::int32_t> codes;
    for (const QString& size :
         {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("S1"), QStringLiteral("S2")}) {
        turnDial(device, *camera, kImageSize, size);
        const std::int32_t code = camera->ImageSize(cam);
        EXPECT_GE(code, 0) << size.toStdString();
        codes << code;
        const int writesBefore = int(device.writes(kImageSize).size());
        camera->ImageSize(cam, code);
        EXPECT_EQ(device.property(kImageSize), size);
        EXPECT_EQ(device.writes(kImageSize).size(), writesBefore) << size.toStdString();
    }
    EXPECT_TRUE(std::is_sorted(codes.rbegin(), codes.rend()));
    EXPECT_EQ(QSet<std::int32_t>(codes.begin(), codes.end()).size(), 4);
}

TEST(Gphoto2Dials, ASizeWithoutPixelsReadsAsNoSize) {
    PtpIpTestCamera device;
    const auto camera = openOn(device);
    for (const QString& size : {QStringLiteral("0x0"), QStringLiteral("640x0")}) {
        turnDial(device, *camera, kImageSize, size);
        EXPECT_EQ(camera->ImageSize(cam), -1) << size.toStdString();
    }
    turnDial(device, *camera, kImageSize, QStringLiteral("1024x768"));
    EXPECT_EQ(camera->ImageSize(cam), 1);
}

} // namespace
