#include "Gphoto2TestSupport.h"
#include "PtpIpTestCamera.h"
#include "camera/gphoto2/Gphoto2Camera.h"
#include "camera/gphoto2/Gphoto2Errors.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"
#include "engine/Engine.h"
#include "support/RecordingMessages.h"
#include "support/RecordingObserver.h"

#include <QImage>
#include <QTemporaryDir>
#include <memory>

using namespace std::chrono_literals;
using namespace snapdeck;
using snapdeck::gphoto2::Gphoto2Error::NotSupported;
using snapdeck::test::errorOf;
using snapdeck::test::PtpIpTestCamera;

namespace {

const QString kEnabledStreams = QStringLiteral("5021");

std::unique_ptr<Gphoto2Camera> openCamera(const PtpIpTestCamera& device) {
    Gphoto2Options options;
    options.port = device.portPath();
    // Short limits keep the fault test quick; our camera answers in milliseconds.
    options.callLimit = 1000ms;
    options.captureLimit = 1000ms;
    options.startLimit = 10s;
    auto camera = std::make_unique<Gphoto2Camera>(options);
    camera->initialize();
    camera->open(0);
    return camera;
}

// How often the camera received each operation (hex codes as it lists them).
int received(PtpIpTestCamera& device, const QString& code) {
    return int(device.command(QStringLiteral("ops")).split(u',').count(code));
}

} // namespace

// A camera without a vendor extension streams the PTP 1.1 way: the library switches
// the video stream on once, then takes each frame with GetStream. Every frame is the
// camera's newest JPEG.
TEST(Gphoto2LiveView, FramesComeThroughThePtpStreamOperations) {
    PtpIpTestCamera device({QStringLiteral("--stream")});
    auto camera = openCamera(device);
    EXPECT_TRUE(camera->capabilities().liveView);
    for (int frame = 1; frame <= 3; ++frame) {
        const QByteArray jpeg = camera->liveFrame();
        EXPECT_FALSE(QImage::fromData(jpeg, "JPEG").isNull()) << frame;
        EXPECT_TRUE(
            jpeg.contains(QStringLiteral("LIVE%1").arg(frame, 6, 10, QChar(u'0')).toLatin1()))
            << frame;
    }
    EXPECT_EQ(device.command(QStringLiteral("frames")), QStringLiteral("3"));
    EXPECT_EQ(received(device, QStringLiteral("1025")), 3) << "GetStream";
    EXPECT_EQ(received(device, QStringLiteral("1024")), 3) << "GetStreamInfo";
    EXPECT_EQ(device.writes(kEnabledStreams), QStringList{"1"}) << "switched on once";
    EXPECT_EQ(device.property(kEnabledStreams), QStringLiteral("1"));
    EXPECT_TRUE(camera->capabilities().liveView);
}

// Without the stream operations the library does not even try: one clear refusal, and
// from then on the camera says it has no live view.
TEST(Gphoto2LiveView, ACameraWithoutStreamsSaysItHasNoLiveView) {
    PtpIpTestCamera device;
    auto camera = openCamera(device);
    const CameraError refused = errorOf([&] { camera->liveFrame(); });
    EXPECT_EQ(refused.number(), NotSupported);
    EXPECT_EQ(refused.description(), QStringLiteral("Камера не передаёт живое изображение"));
    EXPECT_FALSE(camera->capabilities().liveView);
    EXPECT_EQ(received(device, QStringLiteral("1025")), 0);
}

// The program on the real library: live view streams after start-up; a camera that
// stops answering ends it with one message box (26) once the call limit has passed,
// and no further frame is asked for.
TEST(Gphoto2LiveView, ACameraThatStopsAnsweringEndsLiveViewWithOneBox) {
    PtpIpTestCamera device({QStringLiteral("--stream")});
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    test::RecordingMessages messages;
    test::RecordingObserver observer;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3))};
    auto camera = openCamera(device);
    Engine engine(EngineServices{*camera, messages, clock, WorkFolder(dir.path()),
                                 QLocale(QLocale::Russian)});
    engine.setObserver(observer);
    engine.load();
    messages.clear();
    ASSERT_TRUE(observer.state.liveView.available);

    engine.setLiveView(true);
    engine.liveViewTick();
    EXPECT_EQ(observer.liveFrames, 2);
    EXPECT_EQ(observer.lastLiveFrame.image.size(), QSize(64, 48));

    device.command(QStringLiteral("fault stall"));
    for (int step = 0; step < 5; ++step)
        engine.liveViewTick();
    ASSERT_EQ(messages.shown.size(), 1u) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(messages.shown[0].errorNumber, 26) << messages.shown[0].text.toStdString();
    EXPECT_FALSE(observer.state.liveView.on);
    EXPECT_FALSE(engine.liveViewTimerActive());
    EXPECT_EQ(observer.liveFrames, 2);
    engine.unload();
}
