#include "engine/live/LiveView.h"
#include "engine/ObserverOnThread.h"
#include "engine/live/LiveFrame.h"
#include "support/EngineFixture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageWriter>

using namespace snapdeck;

namespace {

class LiveViewTest : public test::EngineFixture {
protected:
    // Lets the monotonic clock run on by "ms" milliseconds.
    void pass(qint64 ms) { clock.set(clock.now().addMSecs(ms)); }
    // One step of the live-view timer, after "ms" have passed.
    void tickAfter(qint64 ms) {
        pass(ms);
        engine->liveViewTick();
    }
    const LiveViewState& live() const { return state().liveView; }
    int liveFrameCalls() const { return cameraLog({"liveFrame"}).size(); }

    // Mean red minus mean blue of a frame, on the 0..255 scale.
    static double warmth(const QImage& image) {
        double red = 0, blue = 0;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4) {
                red += qRed(image.pixel(x, y));
                blue += qBlue(image.pixel(x, y));
            }
        const double samples = double((image.height() + 3) / 4) * ((image.width() + 3) / 4);
        return (red - blue) / samples;
    }
};

} // namespace

// Ticking the box takes a frame at once; the next comes when the camera's interval
// (40 ms at 25 frames a second) has passed on the clock, not before. Each frame is
// decoded and measured before the face hears of it, and none is written anywhere.
TEST_F(LiveViewTest, FramesArriveAtTheCamerasPaceDecodedAndMeasuredAndWriteNoFile) {
    load();
    ASSERT_TRUE(live().available);
    const QStringList filesBefore = filesInFolder();
    engine->setLiveView(true);
    EXPECT_TRUE(live().on);
    EXPECT_FALSE(live().paused);
    ASSERT_EQ(observer.liveFrames, 1);
    const LiveFrame& frame = observer.lastLiveFrame;
    EXPECT_EQ(frame.number, 1u);
    EXPECT_EQ(frame.image.size(), QSize(640, 480));
    EXPECT_EQ(frame.histogram.pixels, 640u * 480u);
    EXPECT_EQ(frame.receivedMs, clock.monotonicMs());

    tickAfter(0);
    tickAfter(39);
    EXPECT_EQ(observer.liveFrames, 1) << "too early for the camera's next frame";
    tickAfter(1);
    EXPECT_EQ(observer.liveFrames, 2);
    EXPECT_EQ(observer.lastLiveFrame.number, 2u);
    for (int frameCount = 3; frameCount <= 6; ++frameCount)
        tickAfter(40);
    EXPECT_EQ(observer.liveFrames, 6);
    EXPECT_EQ(liveFrameCalls(), 6);
    EXPECT_TRUE(engine->liveViewTimerActive());
    EXPECT_EQ(filesInFolder(), filesBefore);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

// A capture finds live view waiting: no frame is asked for while it runs, the picture
// taken stays in view for a moment, then the frames come back by themselves.
TEST_F(LiveViewTest, ACapturePausesLiveViewAndItResumesAfterThePictureWasShown) {
    load();
    engine->setLiveView(true);
    std::vector<bool> pausedDuringShot;
    camera->afterCall = [&](const QString& operation) {
        if (operation == u"takePicture")
            pausedDuringShot.push_back(state().liveView.paused);
    };
    camera->script().clearLog();
    ASSERT_TRUE(engine->capture());
    EXPECT_EQ(pausedDuringShot, std::vector<bool>{true});
    EXPECT_EQ(liveFrameCalls(), 0);
    EXPECT_EQ(observer.picturesStored, QStringList{filePath("image.jpg")});
    EXPECT_TRUE(live().on);
    EXPECT_TRUE(live().paused) << "the picture taken is in view";

    tickAfter(LiveView::kReviewMs - 1);
    EXPECT_EQ(observer.liveFrames, 1);
    tickAfter(1);
    EXPECT_FALSE(live().paused);
    EXPECT_EQ(observer.liveFrames, 2);
    tickAfter(40);
    EXPECT_EQ(observer.liveFrames, 3);

    // A capture that stores nothing gives the frames back at once.
    simulated->setBatteryLevel(0);
    EXPECT_FALSE(engine->capture());
    messages.clear();
    simulated->setBatteryLevel(50);
    tickAfter(40);
    EXPECT_FALSE(live().paused);
    EXPECT_EQ(observer.liveFrames, 4);
}

// Settings, lens moves and previews run between two frames; the next frame shows the
// change, and the preview goes on writing "preview.jpg".
TEST_F(LiveViewTest, ChangesAndPreviewsRunBetweenFramesAndShowInTheNext) {
    load();
    engine->setLiveView(true);
    const double neutral = warmth(observer.lastLiveFrame.image);
    camera->script().clearLog();
    // Incandescent light corrected on a daylight scene: the frame turns blue.
    const int incandescent = 3;
    engine->chooseSetting(SettingList::WhiteBalance, incandescent);
    engine->moveZoom(160);
    tickAfter(40);
    const QStringList calls = cameraLog({"setWhiteBalance", "setZoom", "takePreview", "liveFrame"});
    ASSERT_GE(calls.size(), 4);
    EXPECT_EQ(calls.last(), QStringLiteral("liveFrame()"));
    EXPECT_LT(warmth(observer.lastLiveFrame.image), neutral - 20);

    QFile::remove(filePath("preview.jpg"));
    observer.previewsStored.clear();
    engine->takePreview();
    EXPECT_EQ(observer.previewsStored, QStringList{filePath("preview.jpg")});
    EXPECT_TRUE(QFile::exists(filePath("preview.jpg")));
    tickAfter(40);
    EXPECT_TRUE(live().on);
    EXPECT_EQ(observer.lastLiveFrame.number, 3u);
}

TEST_F(LiveViewTest, StopsWhenUntickedAndAtShutdown) {
    load();
    engine->setLiveView(true);
    engine->setLiveView(false);
    EXPECT_FALSE(live().on);
    EXPECT_FALSE(engine->liveViewTimerActive());
    tickAfter(1000);
    EXPECT_EQ(observer.liveFrames, 1);

    engine->setLiveView(true);
    EXPECT_EQ(observer.lastLiveFrame.number, 1u) << "counted afresh";
    engine->unload();
    EXPECT_FALSE(live().on);
    EXPECT_FALSE(engine->liveViewTimerActive());
    tickAfter(1000);
    EXPECT_EQ(liveFrameCalls(), 2);
}

// A camera without live view leaves the box grey, and the face can say why; so does a
// camera that was never found.
TEST_F(LiveViewTest, ACameraWithoutLiveViewCannotBeSwitchedOnAndSaysWhy) {
    create();
    EXPECT_FALSE(engine->state().liveView.available);
    EXPECT_EQ(engine->state().liveView.unavailableReason, QStringLiteral("Камера не подключена"));

    cameraConfig.liveViewSize = QSize();
    load();
    EXPECT_FALSE(live().available);
    EXPECT_EQ(live().unavailableReason, QStringLiteral("Камера не передаёт живое изображение"));
    engine->setLiveView(true);
    EXPECT_FALSE(live().on);
    EXPECT_EQ(liveFrameCalls(), 0);

    // Nor does one whose driver says it cannot preview.
    cameraConfig = {};
    create();
    script().reportNext(QStringLiteral("capabilities.preview"), 0, 5);
    engine->load();
    EXPECT_FALSE(live().available);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

// A camera that stops answering ends live view with one message box, however many
// frames were due meanwhile; the box is unticked before the message shows.
TEST_F(LiveViewTest, ACameraThatStopsAnsweringEndsLiveViewWithOneBox) {
    load();
    engine->setLiveView(true);
    std::vector<bool> onWhileShown;
    messages.answer = [&](const Message&) {
        onWhileShown.push_back(state().liveView.on);
        return 0;
    };
    simulated->setUnplugged(true);
    for (int step = 0; step < 20; ++step)
        tickAfter(40);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 26) << messages.shown[0].text.toStdString();
    EXPECT_EQ(onWhileShown, std::vector<bool>{false});
    EXPECT_FALSE(live().on);
    EXPECT_FALSE(engine->liveViewTimerActive());
    EXPECT_EQ(liveFrameCalls(), 2);
    EXPECT_TRUE(live().available) << "it may be switched on again once the camera is back";

    simulated->setUnplugged(false);
    engine->setLiveView(true);
    EXPECT_TRUE(live().on);
    EXPECT_EQ(observer.liveFrames, 2);
}

// Known pixels: black and level 2 are crushed, 253 and white are blown, 3 and 252 are
// not; colours count by their luminance.
TEST(LuminanceHistogram, CountsEachLevelAndTheClippedShares) {
    QImage picture(100, 10, QImage::Format_RGB32);
    const auto paint = [&](int fromColumn, int toColumn, QRgb colour) {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = fromColumn; x < toColumn; ++x)
                picture.setPixel(x, y, colour);
    };
    paint(0, 10, qRgb(0, 0, 0));
    paint(10, 15, qRgb(2, 2, 2));
    paint(15, 20, qRgb(3, 3, 3));
    paint(20, 40, qRgb(128, 128, 128));
    paint(40, 50, qRgb(255, 0, 0));
    paint(50, 60, qRgb(0, 255, 0));
    paint(60, 70, qRgb(0, 0, 255));
    paint(70, 75, qRgb(252, 252, 252));
    paint(75, 80, qRgb(253, 253, 253));
    paint(80, 100, qRgb(255, 255, 255));

    const LuminanceHistogram histogram = LuminanceHistogram::of(picture);
    EXPECT_EQ(histogram.pixels, 1000u);
    EXPECT_EQ(histogram.counts[0], 100u);
    EXPECT_EQ(histogram.counts[2], 50u);
    EXPECT_EQ(histogram.counts[3], 50u);
    EXPECT_EQ(histogram.counts[128], 200u);
    EXPECT_EQ(histogram.counts[76], 100u);  // red
    EXPECT_EQ(histogram.counts[149], 100u); // green
    EXPECT_EQ(histogram.counts[28], 100u);  // blue
    EXPECT_EQ(histogram.counts[252], 50u);
    EXPECT_EQ(histogram.counts[253], 50u);
    EXPECT_EQ(histogram.counts[255], 200u);
    EXPECT_DOUBLE_EQ(histogram.shadowsClipped(), 0.15);
    EXPECT_DOUBLE_EQ(histogram.highlightsClipped(), 0.25);
    EXPECT_EQ(histogram.highestCount(), 200u);
    EXPECT_TRUE(LuminanceHistogram::of(QImage()).isEmpty());
    EXPECT_EQ(LuminanceHistogram().shadowsClipped(), 0.0);
}

// The frame the engine hands on is the camera's JPEG decoded; bytes that are no
// picture give no frame.
TEST(LiveFrameDecoding, DecodesTheJpegAndMeasuresIt) {
    QImage grey(64, 48, QImage::Format_RGB32);
    grey.fill(qRgb(200, 200, 200));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    ASSERT_TRUE(writer.write(grey));

    const LiveFrame frame = decodeLiveFrame(jpeg);
    EXPECT_EQ(frame.image.size(), QSize(64, 48));
    EXPECT_EQ(frame.histogram.pixels, 64u * 48u);
    EXPECT_GE(frame.histogram.counts[199] + frame.histogram.counts[200] +
                  frame.histogram.counts[201],
              64u * 48u * 99 / 100);
    EXPECT_TRUE(decodeLiveFrame(QByteArrayLiteral("not a picture")).image.isNull());
}

// A face busy painting gets the newest frame once, after what was told in between;
// states and events keep their order.
TEST(ObserverOnThreadFrames, TheNewestFrameWinsAndEventsKeepTheirOrder) {
    QStringList heard;
    struct Listener : EngineObserver {
        QStringList* heard;
        void stateChanged(const EngineState&) override { heard->append(QStringLiteral("state")); }
        void pictureStored(const QString&) override { heard->append(QStringLiteral("picture")); }
        void previewStored(const QString&) override {}
        void scheduleFilled(const ScheduleForm&) override {}
        void intervalRefused() override {}
        void runEnded(const QString&) override {}
        void liveFrame(const LiveFrame& frame) override {
            heard->append(QStringLiteral("frame %1").arg(frame.number));
        }
    } listener;
    listener.heard = &heard;
    QObject context;
    ObserverOnThread relay(listener, &context);

    LiveFrame frame;
    for (quint64 number = 1; number <= 3; ++number) {
        frame.number = number;
        relay.liveFrame(frame);
        if (number == 2)
            relay.pictureStored(QStringLiteral("image.jpg"));
    }
    relay.stateChanged(EngineState());
    frame.number = 4;
    relay.liveFrame(frame);
    EXPECT_TRUE(heard.isEmpty()) << "nothing before the listening thread runs its queue";
    QCoreApplication::processEvents();
    EXPECT_EQ(heard, (QStringList{"picture", "state", "frame 4"}));
}
