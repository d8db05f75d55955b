#include "LiveView.h"

#include "LiveFrame.h"
#include "camera/Camera.h"
#include "common/Clock.h"
#include "common/ErrorTrap.h"
#include "engine/EngineContext.h"

#include <QCoreApplication>
#include <algorithm>

namespace snapdeck {

LiveFrame decodeLiveFrame(const QByteArray& jpeg) {
    LiveFrame frame;
    frame.image.loadFromData(jpeg);
    frame.histogram = LuminanceHistogram::of(frame.image);
    return frame;
}

LiveView::LiveView(EngineContext& context, QObject* timerParent)
    : context_(context), timer_(timerParent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void LiveView::updateAvailability(bool cameraReady) {
    cameraReady_ = cameraReady;
    LiveViewState& live = context_.state.liveView;
    CameraCapabilities can;
    can.preview = can.liveView = false;
    if (cameraReady)
        can = context_.services.camera.capabilities();
    live.available = can.preview && can.liveView;
    intervalMs_ = std::max(0, can.liveFrameIntervalMs);
    if (!cameraReady)
        live.unavailableReason = QCoreApplication::translate("LiveView", "Камера не подключена");
    else if (!live.available)
        live.unavailableReason =
            QCoreApplication::translate("LiveView", "Камера не передаёт живое изображение");
    else
        live.unavailableReason.clear();
    if (!live.available && live.on)
        switchOff();
    context_.publish();
}

void LiveView::setOn(bool on) {
    LiveViewState& live = context_.state.liveView;
    if (on == live.on)
        return;
    if (on && !live.available) {
        context_.publish(); // the face unticks its box again
        return;
    }
    if (!on) {
        switchOff();
        return;
    }
    live.on = true;
    live.paused = false;
    resumeAtMs_ = -1;
    frames_ = 0;
    badFramesInARow_ = 0;
    nextFrameAtMs_ = context_.services.clock.monotonicMs();
    context_.publish();
    tick();
}

void LiveView::switchOff() {
    LiveViewState& live = context_.state.liveView;
    live.on = false;
    live.paused = false;
    resumeAtMs_ = -1;
    timer_.stop();
    context_.publish();
}

void LiveView::stop() {
    if (context_.state.liveView.on)
        switchOff();
    cameraReady_ = false;
}

void LiveView::pauseForCapture() {
    LiveViewState& live = context_.state.liveView;
    if (!live.on)
        return;
    live.paused = true;
    resumeAtMs_ = -1;
    timer_.stop();
    context_.publish();
}

void LiveView::resumeAfterCapture(bool pictureStored) {
    LiveViewState& live = context_.state.liveView;
    if (!live.on)
        return;
    resumeAtMs_ = context_.services.clock.monotonicMs() + (pictureStored ? kReviewMs : 0);
    arm();
}

void LiveView::tick() {
    LiveViewState& live = context_.state.liveView;
    if (!live.on)
        return;
    const qint64 now = context_.services.clock.monotonicMs();
    if (live.paused) {
        if (resumeAtMs_ < 0 || now < resumeAtMs_) {
            arm();
            return;
        }
        live.paused = false;
        resumeAtMs_ = -1;
        context_.publish();
    }
    if (now < nextFrameAtMs_) {
        arm();
        return;
    }
    // Counted from when the frame was due, so that a timer that fires a little late
    // does not slow the pace; after a longer gap (a capture, a slow camera) from now.
    const bool onPace = now - nextFrameAtMs_ < intervalMs_;
    nextFrameAtMs_ = (onPace ? nextFrameAtMs_ : now) + intervalMs_;
    takeFrame();
    arm();
}

void LiveView::takeFrame() {
    QByteArray jpeg;
    try {
        jpeg = context_.services.camera.liveFrame();
    } catch (...) {
        failWith(std::current_exception());
        return;
    }
    const qint64 received = context_.services.clock.monotonicMs();
    LiveFrame frame = decodeLiveFrame(jpeg);
    if (frame.image.isNull()) {
        if (++badFramesInARow_ < kMostBadFrames)
            return;
        failWith(std::make_exception_ptr(
            AppError(ErrorNumber::InvalidPicture, kAppErrorSource,
                     QCoreApplication::translate(
                         "LiveView", "Камера присылает кадры, которые не удаётся прочитать"))));
        return;
    }
    badFramesInARow_ = 0;
    frame.number = ++frames_;
    frame.receivedMs = received;
    context_.observer->liveFrame(frame);
}

// Live view goes off before the message box shows, so nothing asks the camera again
// while the user reads it, and one failure makes one box.
void LiveView::failWith(const std::exception_ptr& failure) {
    switchOff();
    runTrapped(context_.services.messages, [&] { std::rethrow_exception(failure); });
    // A camera that refused live view says so now: the box goes grey.
    updateAvailability(cameraReady_);
}

void LiveView::arm() {
    const LiveViewState& live = context_.state.liveView;
    if (!live.on || (live.paused && resumeAtMs_ < 0)) {
        timer_.stop();
        return;
    }
    const qint64 due = live.paused ? resumeAtMs_ : nextFrameAtMs_;
    const qint64 wait = std::max<qint64>(0, due - context_.services.clock.monotonicMs());
    timer_.start(int(std::min<qint64>(wait, kReviewMs)));
}

} // namespace snapdeck
