#pragma once

#include "EngineObserver.h"
#include "EngineState.h"

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace snapdeck {

// Passes what the engine tells on to an observer on another thread (the window's),
// through that thread's event queue, in the order told. States told one after another
// are merged: a face that is busy painting gets the newest state once, not every state
// it missed, so a fast copy's progress never piles up in the queue.
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

private:
    struct Item {
        bool isState = false;
        EngineState state;
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
