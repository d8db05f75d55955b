#include "ObserverOnThread.h"

#include "engine/schedule/ScheduleForm.h"

namespace snapdeck {

ObserverOnThread::ObserverOnThread(EngineObserver& target, QObject* context)
    : target_(target), context_(context) {}

void ObserverOnThread::push(Item item) {
    std::lock_guard lock(mutex_);
    const bool idle = queue_.empty();
    if (item.kind == Item::Kind::Frame)
        std::erase_if(queue_, [](const Item& queued) { return queued.kind == Item::Kind::Frame; });
    if (item.kind == Item::Kind::State && !queue_.empty() &&
        queue_.back().kind == Item::Kind::State)
        queue_.back() = std::move(item);
    else
        queue_.push_back(std::move(item));
    if (idle)
        QMetaObject::invokeMethod(
            context_, [this] { deliver(); }, Qt::QueuedConnection);
}

// Runs on the listening thread: everything told so far, in order.
void ObserverOnThread::deliver() {
    std::deque<Item> items;
    {
        std::lock_guard lock(mutex_);
        items.swap(queue_);
    }
    for (const Item& item : items) {
        switch (item.kind) {
        case Item::Kind::State:
            target_.stateChanged(item.state);
            break;
        case Item::Kind::Frame:
            target_.liveFrame(item.frame);
            break;
        case Item::Kind::Event:
            item.event(target_);
            break;
        }
    }
}

void ObserverOnThread::stateChanged(const EngineState& state) {
    push({Item::Kind::State, state, {}, {}});
}

void ObserverOnThread::pictureStored(const QString& path) {
    push({Item::Kind::Event, {}, {}, [path](EngineObserver& target) {
              target.pictureStored(path);
          }});
}

void ObserverOnThread::previewStored(const QString& path) {
    push({Item::Kind::Event, {}, {}, [path](EngineObserver& target) {
              target.previewStored(path);
          }});
}

void ObserverOnThread::scheduleFilled(const ScheduleForm& form) {
    push({Item::Kind::Event, {}, {}, [form](EngineObserver& target) {
              target.scheduleFilled(form);
          }});
}

void ObserverOnThread::intervalRefused() {
    push({Item::Kind::Event, {}, {}, [](EngineObserver& target) { target.intervalRefused(); }});
}

void ObserverOnThread::runEnded(const QString& reason) {
    push(
        {Item::Kind::Event, {}, {}, [reason](EngineObserver& target) { target.runEnded(reason); }});
}

void ObserverOnThread::liveFrame(const LiveFrame& frame) {
    push({Item::Kind::Frame, {}, frame, {}});
}

} // namespace snapdeck
