#include "ObserverOnThread.h"

#include "engine/schedule/ScheduleForm.h"

namespace snapdeck {

ObserverOnThread::ObserverOnThread(EngineObserver& target, QObject* context)
    : target_(target), context_(context) {}

void ObserverOnThread::push(Item item) {
    std::lock_guard lock(mutex_);
    const bool idle = queue_.empty();
    if (item.isState && !queue_.empty() && queue_.back().isState)
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
        if (item.isState)
            target_.stateChanged(item.state);
        else
            item.event(target_);
    }
}

void ObserverOnThread::stateChanged(const EngineState& state) {
    push({true, state, {}});
}

void ObserverOnThread::pictureStored(const QString& path) {
    push({false, {}, [path](EngineObserver& target) { target.pictureStored(path); }});
}

void ObserverOnThread::previewStored(const QString& path) {
    push({false, {}, [path](EngineObserver& target) { target.previewStored(path); }});
}

void ObserverOnThread::scheduleFilled(const ScheduleForm& form) {
    push({false, {}, [form](EngineObserver& target) { target.scheduleFilled(form); }});
}

void ObserverOnThread::intervalRefused() {
    push({false, {}, [](EngineObserver& target) { target.intervalRefused(); }});
}

void ObserverOnThread::runEnded(const QString& reason) {
    push({false, {}, [reason](EngineObserver& target) { target.runEnded(reason); }});
}

} // namespace snapdeck
