#include "EngineHost.h"

#include "Engine.h"

#include <QMetaObject>

namespace snapdeck {

// The engine thread's receiver of "drain the queue".
class EngineHost::Runner : public QObject {
public:
    explicit Runner(EngineHost& host) : host_(host) {}
    void drainLater() {
        QMetaObject::invokeMethod(
            this, [this] { host_.drain(); }, Qt::QueuedConnection);
    }

private:
    EngineHost& host_;
};

EngineHost::EngineHost(std::unique_ptr<Engine> engine, Threading threading)
    : engine_(std::move(engine)), threading_(threading) {
    engine_->setCommandsWaiting([this] { return commandsWaiting(); });
    if (threading_ == Threading::CallersThread)
        return;
    thread_.setObjectName(QStringLiteral("engine"));
    runner_ = new Runner(*this);
    runner_->moveToThread(&thread_);
    engine_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, runner_, &QObject::deleteLater);
    thread_.start();
}

EngineHost::~EngineHost() {
    if (threading_ == Threading::CallersThread)
        return;
    // After the commands already given, the engine and its timers end on their own
    // thread, and then the thread.
    QMetaObject::invokeMethod(
        runner_,
        [this] {
            drain();
            engine_.reset();
            thread_.quit();
        },
        Qt::QueuedConnection);
    thread_.wait();
}

void EngineHost::post(Command command) {
    if (threading_ == Threading::CallersThread) {
        command(*engine_);
        engine_->idle();
        return;
    }
    enqueue({std::move(command), nullptr, {}});
}

void EngineHost::whenDone(QObject* context, std::function<void()> done) {
    if (threading_ == Threading::CallersThread) {
        done();
        return;
    }
    enqueue({{}, context, std::move(done)});
}

void EngineHost::enqueue(Entry entry) {
    std::lock_guard lock(mutex_);
    if (entry.command)
        ++commandsQueued_;
    queue_.push_back(std::move(entry));
    if (!drainScheduled_) {
        drainScheduled_ = true;
        runner_->drainLater();
    }
}

bool EngineHost::commandsWaiting() const {
    if (threading_ == Threading::CallersThread)
        return false;
    std::lock_guard lock(mutex_);
    return commandsQueued_ > 0;
}

void EngineHost::drain() {
    for (;;) {
        Entry entry;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) {
                drainScheduled_ = false;
                break;
            }
            entry = std::move(queue_.front());
            queue_.pop_front();
            if (entry.command)
                --commandsQueued_;
        }
        if (entry.command) {
            entry.command(*engine_);
        } else {
            // Work left to later commands is done before anyone hears "done".
            engine_->idle();
            QMetaObject::invokeMethod(entry.context, entry.done, Qt::QueuedConnection);
        }
    }
    engine_->idle();
}

} // namespace snapdeck
