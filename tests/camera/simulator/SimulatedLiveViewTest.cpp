#include "camera/CameraError.h"
#include "camera/simulator/SimulatedCamera.h"
#include "camera/simulator/SimulatedCameraErrors.h"

#include <QImage>
#include <gtest/gtest.h>

namespace snapdeck {
namespace {

int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const CameraError& error) {
        return error.number();
    }
    return 0;
}

QImage decoded(const QByteArray& jpeg) {
    return QImage::fromData(jpeg, "JPEG");
}

} // namespace

// Live frames are JPEGs of the scene as it is now, at the live-view size, 25 a second
// at most; they touch neither the card nor the battery's count of pictures.
TEST(SimulatedLiveView, FramesAreJpegsOfTheSceneAtTheLiveViewSize) {
    SimulatedCamera camera;
    const CameraCapabilities can = camera.capabilities();
    EXPECT_TRUE(can.liveView);
    EXPECT_EQ(can.liveFrameIntervalMs, 40);
    const QByteArray first = camera.liveFrame();
    const QByteArray second = camera.liveFrame();
    EXPECT_EQ(decoded(first).size(), QSize(640, 480));
    EXPECT_NE(first, second) << "each frame is rendered afresh, with its own time and noise";
    EXPECT_EQ(camera.picturesOnCard(), 0);

    camera.setUnplugged(true);
    EXPECT_EQ(errorOf([&] { camera.liveFrame(); }), kCameraNotAnswering);
    camera.setUnplugged(false);
    camera.setBatteryLevel(0);
    EXPECT_EQ(errorOf([&] { camera.liveFrame(); }), simulated::SimulatedError::BatteryEmpty);
}

// camera.ini's live_view gives the frames' size, or "off" for a camera without live
// view; anything else keeps 640x480.
TEST(SimulatedLiveView, CameraIniSetsTheSizeOrSwitchesLiveViewOff) {
    EXPECT_EQ(SimulatedCameraConfig::fromText(QStringLiteral("live_view=1024x768")).liveViewSize,
              QSize(1024, 768));
    for (const char* bad : {"live_view=big", "live_view=10x10", "live_view=640x", "live_view=0x0"})
        EXPECT_EQ(SimulatedCameraConfig::fromText(QString::fromLatin1(bad)).liveViewSize,
                  QSize(640, 480))
            << bad;

    SimulatedCamera large(SimulatedCameraConfig::fromText(QStringLiteral("live_view=1024x768")));
    EXPECT_EQ(decoded(large.liveFrame()).size(), QSize(1024, 768));

    SimulatedCamera without(SimulatedCameraConfig::fromText(QStringLiteral("live_view=off")));
    EXPECT_FALSE(without.capabilities().liveView);
    EXPECT_EQ(errorOf([&] { without.liveFrame(); }), simulated::SimulatedError::NoPreview);
    EXPECT_FALSE(without.takePreview({}).isEmpty()) << "previews go on as before";
}

} // namespace snapdeck
