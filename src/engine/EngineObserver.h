#pragma once

#include <QString>

namespace snapdeck {

struct EngineState;
struct LiveFrame;
struct ScheduleForm;

// What a face hears from the engine. Calls come on the engine's thread; a face that
// needs them on its own thread wraps itself in an ObserverOnThread. Questions that need
// an answer (the message boxes) go through the MessagePresenter seam instead.
class EngineObserver {
public:
    virtual ~EngineObserver() = default;

    // The whole state after a change.
    virtual void stateChanged(const EngineState& state) = 0;
    // A captured picture stored on disk (its path), to be shown in the large picture box.
    virtual void pictureStored(const QString& path) = 0;
    // A preview stored on disk, for the small picture box.
    virtual void previewStored(const QString& path) = 0;
    // Start-up's values for the schedule boxes.
    virtual void scheduleFilled(const ScheduleForm& form) = 0;
    // Interval shooting could not start: the interval box needs the user's attention.
    virtual void intervalRefused() = 0;
    // An interval run ended by itself; "reason" is the line that says why.
    virtual void runEnded(const QString& reason) = 0;
    // The newest live-view frame, decoded, with its histogram. Faces that show no live
    // view need not listen.
    virtual void liveFrame(const LiveFrame& frame) { (void)frame; }
};

} // namespace snapdeck
