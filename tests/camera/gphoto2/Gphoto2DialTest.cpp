// Settings made on the camera itself: what the camera already holds is kept when it
// serves the program's wish, and a setting on a read-only dial that does not is a
// clear error naming the setting.
#include "Gphoto2TestSupport.h"
#include "PtpIpTestCamera.h"
#include "camera/gphoto2/Gphoto2Camera.h"
#include "camera/gphoto2/Gphoto2Errors.h"

#include <QSet>
#include <algorithm>
#include <memory>

using namespace std::chrono_literals;
using snapdeck::CameraError;
using snapdeck::ExposureMode;
using snapdeck::FocusMode;
using snapdeck::Gphoto2Camera;
using snapdeck::Gphoto2Options;
using snapdeck::ImageSize;
using snapdeck::gphoto2::Gphoto2Error::CameraRefused;
using snapdeck::test::errorOf;
using snapdeck::test::PtpIpTestCamera;

namespace {

const QString kImageSize = QStringLiteral("5003");
const QString kFocalLength = QStringLiteral("5008");
const QString kFocusMode = QStringLiteral("500A");
const QString kProgram = QStringLiteral("500E");

// The program's camera on the test camera, opened after the test has set its dials.
std::unique_ptr<Gphoto2Camera> openOn(PtpIpTestCamera& device) {
    Gphoto2Options options;
    options.port = device.portPath();
    options.callLimit = 1000ms;
    options.captureLimit = 1000ms;
    options.startLimit = 10s;
    auto camera = std::make_unique<Gphoto2Camera>(options);
    EXPECT_TRUE(camera->initialize());
    EXPECT_EQ(camera->cameraCount(), 1);
    camera->open(0);
    return camera;
}

// Turns the camera's own dial: the driver keeps what it read for a while, and a session
// opened afresh reads the camera anew.
void turnDial(PtpIpTestCamera& device, Gphoto2Camera& camera, const QString& code,
              const QString& value) {
    device.command(QStringLiteral("setprop %1 %2").arg(code, value));
    camera.close();
}

void expectRefusedNaming(const CameraError& error, const QString& setting) {
    EXPECT_EQ(error.number(), CameraRefused) << error.what();
    EXPECT_TRUE(error.description().contains(setting)) << error.description().toStdString();
}

TEST(Gphoto2Dials, AnAutomaticModeOnAReadOnlyDialIsKeptAndCapturesWork) {
    PtpIpTestCamera device({QStringLiteral("--readonly"), QStringLiteral("500E,500A,5008")});
    device.command(QStringLiteral("setprop 500E 3")); // A: aperture priority
    const auto camera = openOn(device);

    camera->setExposure({ExposureMode::Automatic, 80, 1000000});
    camera->takePicture();
    EXPECT_EQ(camera->exposure().mode, ExposureMode::Automatic);
    camera->setFocusMode(FocusMode::Auto); // "Automatic" already
    EXPECT_TRUE(device.writes(kProgram).isEmpty());
    EXPECT_TRUE(device.writes(kFocusMode).isEmpty());
}

TEST(Gphoto2Dials, AReadOnlyDialThatDoesNotServeIsAClearErrorNamingIt) {
    PtpIpTestCamera device({QStringLiteral("--readonly"), QStringLiteral("500E,500A,5008")});
    const auto camera = openOn(device);

    expectRefusedNaming(errorOf([&] {
                            camera->setExposure({ExposureMode::Manual, 56, 33333});
                        }),
                        QStringLiteral("Режим экспозиции"));
    expectRefusedNaming(errorOf([&] { camera->setFocusMode(FocusMode::Manual); }),
                        QStringLiteral("Режим фокусировки"));

    // The zoom ring: where it is, the slider is left alone; elsewhere it is refused.
    camera->setZoom(camera->zoom());
    expectRefusedNaming(errorOf([&] { camera->setZoom(200); }), QStringLiteral("Увеличение"));
    EXPECT_TRUE(device.writes(kProgram).isEmpty());
    EXPECT_TRUE(device.writes(kFocusMode).isEmpty());
    EXPECT_TRUE(device.writes(kFocalLength).isEmpty());
}

TEST(Gphoto2Dials, AutomaticExposureKeepsTheUsersPriorityModeAndLeavesManualForP) {
    PtpIpTestCamera device;
    device.command(QStringLiteral("setprop 500E 4")); // S: shutter priority
    const auto camera = openOn(device);

    camera->setExposure({ExposureMode::Automatic, 0, 0});
    EXPECT_EQ(device.property(kProgram), QStringLiteral("4"));
    camera->setExposure({ExposureMode::Manual, 0, 0});
    camera->setExposure({ExposureMode::Automatic, 0, 0});
    EXPECT_EQ(device.writes(kProgram), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
}

TEST(Gphoto2Dials, SizesNamedWithoutPixelsSpreadOverTheListAndReadBackAsWritten) {
    PtpIpTestCamera device({QStringLiteral("--imagesizes"), QStringLiteral("S2,L,S1,M")});
    const auto camera = openOn(device);

    camera->setImageSize(ImageSize::Hq3264x2448); // the largest
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("L"));
    camera->setImageSize(ImageSize::Sq2_640x480); // the smallest
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("S2"));
    camera->setImageSize(ImageSize::Sq1_1600x1200); // the third of the four
    EXPECT_EQ(device.property(kImageSize), QStringLiteral("S1"));
    QList<int> pixels; // of the program's size each camera size reads back as
    for (const QString& size :
         {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("S1"), QStringLiteral("S2")}) {
        turnDial(device, *camera, kImageSize, size);
        const ImageSize read = camera->imageSize();
        const snapdeck::ImageSizeEntry* entry = snapdeck::findImageSize(read);
        ASSERT_NE(entry, nullptr) << size.toStdString();
        pixels << entry->pixels.width() * entry->pixels.height();
        const int writesBefore = int(device.writes(kImageSize).size());
        camera->setImageSize(read);
        EXPECT_EQ(device.property(kImageSize), size);
        EXPECT_EQ(device.writes(kImageSize).size(), writesBefore) << size.toStdString();
    }
    EXPECT_TRUE(std::is_sorted(pixels.rbegin(), pixels.rend()));
    EXPECT_EQ(QSet<int>(pixels.begin(), pixels.end()).size(), 4);
}

TEST(Gphoto2Dials, ASizeWithoutPixelsReadsAsNoSize) {
    PtpIpTestCamera device;
    const auto camera = openOn(device);
    for (const QString& size : {QStringLiteral("0x0"), QStringLiteral("640x0")}) {
        turnDial(device, *camera, kImageSize, size);
        const ImageSize read = camera->imageSize();
        EXPECT_EQ(read, Gphoto2Camera::kNoImageSize) << size.toStdString();
        EXPECT_EQ(snapdeck::findImageSize(read), nullptr);
    }
    turnDial(device, *camera, kImageSize, QStringLiteral("1024x768"));
    EXPECT_EQ(camera->imageSize(), ImageSize::Sq2_1024x768);
}

} // namespace
