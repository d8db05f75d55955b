#pragma once

#include <QTimer>
#include <exception>

namespace snapdeck {

class EngineContext;

// Live view: while "Живой просмотр" is ticked, the camera's frames one after another,
// each decoded and measured here and handed to the faces as the newest frame.
//
// It runs on the engine's thread as a chain of single steps, one frame each, with the
// event loop in between: the commands given meanwhile run between two frames, so a
// setting, a zoom or a focus move shows in the next frame, and a capture simply finds
// live view waiting. A thread of its own would have to share the camera with the
// commands, which no camera backend allows. The pace is the camera's: the next frame is
// asked for once the last one came and the camera's shortest interval has passed.
//
// A capture pauses it; the picture taken stays in view for a moment before the frames
// come back. An error ends it: one message box, the box unticked.
class LiveView {
public:
    // How long the picture just taken stays in view before live view goes on.
    static constexpr int kReviewMs = 2000;
    // Frames in a row that cannot be decoded before live view gives up.
    static constexpr int kMostBadFrames = 5;

    LiveView(EngineContext& context, QObject* timerParent);

    void setOn(bool on);
    // Takes the next frame when it is due, and arms the timer for the one after.
    void tick();
    // Around a capture: no frames during it; after it, the picture stays in view for
    // kReviewMs when one was stored.
    void pauseForCapture();
    void resumeAfterCapture(bool pictureStored);
    // Reads whether the camera can stream, after start-up and after a refusal.
    void updateAvailability(bool cameraReady);
    // The camera is closing: no more frames, the box unticked.
    void stop();

    bool timerActive() const { return timer_.isActive(); }

private:
    void takeFrame();
    void switchOff();
    void failWith(const std::exception_ptr& failure);
    void arm();

    EngineContext& context_;
    QTimer timer_;
    bool cameraReady_ = false;
    int intervalMs_ = 0;
    qint64 nextFrameAtMs_ = 0;
    qint64 resumeAtMs_ = -1; // paused: when the frames come back; -1 while a capture runs
    quint64 frames_ = 0;
    int badFramesInARow_ = 0;
};

} // namespace snapdeck
