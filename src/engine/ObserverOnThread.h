#pragma once

#include "EngineObserver.h"
#include "EngineState.h"
#include "engine/live/LiveFrame.h"

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace snapdeck {

// Passes what the engine tells on to an observer on another thread (the window's),
// through that thread's event queue, in the order told. States told one after another
// are merged: a face that is busy painting gets the newest state once, not every state
// it missed, so a fast copy's progress never piles up in the queue. Live frames merge
// too: a frame not yet delivered when a newer one comes is dropped, the newer one
// takes its turn after what was told in between, so the face is never more than one
// frame behind.
class ObserverOnThread final : public EngineObserver {
public:
    // "context" lives on the thread that is to hear. Both must outlive the engine's
    // host: the engine talks until its thread has ended.
    ObserverOnThread(EngineObserver& target, QObject* context);

    void stateChanged(const EngineState& state) override;
    void pictureStored(const QString& path) override;
    void previewStored(const QString& path) override;
    void scheduleFilled(const ScheduleForm& form) override;
    void intervalRefused() override;
    void runEnded(const QString& reason) override;
    void liveFrame(const LiveFrame& frame) override;

private:
    struct Item {
        enum class Kind { State, Frame, Event } kind = Kind::Event;
        EngineState state;
        LiveFrame frame;
        std::function<void(EngineObserver&)> event;
    };
    void push(Item item);
    void deliver();

    EngineObserver& target_;
    QObject* context_;
    std::mutex mutex_;
    std::deque<Item> queue_;
};

} // namespace snapdeck
