#include "LibraryThread.h"

#include "Gphoto2Errors.h"
#include "ThreadLocale.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <pthread.h>

namespace snapdeck::gphoto2 {

using Clock = std::chrono::steady_clock;

// How long a new call waits for a stuck, abandoned one to end before it gives up.
constexpr std::chrono::milliseconds kStuckCallGrace{250};

struct LibraryThread::State : CallSignals {
    std::mutex mutex;
    std::condition_variable changed;
    Job job;
    bool hasJob = false;
    bool busy = false;
    bool stop = false;
    std::uint64_t started = 0;
    std::uint64_t finished = 0;
    std::uint64_t lifeSigns = 0;
    std::int64_t bytes = -1;
    std::atomic<bool> abandonedNow{false};
    std::atomic<bool> abandonedEarlier{false};

    void alive(std::int64_t bytesSoFar) override {
        std::lock_guard lock(mutex);
        ++lifeSigns;
        if (bytesSoFar >= 0)
            bytes = bytesSoFar;
        changed.notify_all();
    }
    bool abandoned() const override { return abandonedNow.load(); }
    bool takeEarlierAbandon() override { return abandonedEarlier.exchange(false); }
};

LibraryThread::LibraryThread() : state_(std::make_shared<State>()) {
    thread_ = std::thread(&LibraryThread::serve, state_);
}

LibraryThread::~LibraryThread() {
    bool stuck;
    {
        std::lock_guard lock(state_->mutex);
        state_->stop = true;
        stuck = state_->busy;
        state_->changed.notify_all();
    }
    // A thread stuck in the library cannot be interrupted; it owns its state and ends
    // on its own when the call returns.
    if (stuck)
        thread_.detach();
    else
        thread_.join();
}

void LibraryThread::serve(std::shared_ptr<State> state) {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    const CLocaleOnThisThread cLocale;

    std::unique_lock lock(state->mutex);
    for (;;) {
        state->changed.wait(lock, [&] { return state->hasJob || state->stop; });
        if (!state->hasJob)
            return;
        Job job = std::move(state->job);
        state->hasJob = false;
        lock.unlock();
        job(*state);
        job = nullptr; // whatever the job holds is released on this thread
        lock.lock();
        state->busy = false;
        state->abandonedNow = false;
        ++state->finished;
        state->changed.notify_all();
    }
}

namespace {

[[noreturn]] void raiseTimedOut(std::chrono::milliseconds limit) {
    raiseNotAnswering(QCoreApplication::translate("LibraryThread", "Камера не ответила за %1 с")
                          .arg(QString::number(limit.count() / 1000.0, 'g', 3)));
}

} // namespace

void LibraryThread::run(Job job, std::chrono::milliseconds limit, const Progress& progress) {
    State& state = *state_;
    std::unique_lock lock(state.mutex);
    // The thread is busy only with a call abandoned earlier, which is still stuck in
    // the library: the camera is not answering now either. Waiting the whole limit
    // again would freeze the window on every poll, so the call fails at once, after a
    // moment's grace for a stuck call whose connection has just dropped.
    const auto grace = std::min<std::chrono::milliseconds>(limit, kStuckCallGrace);
    if (!state.changed.wait_for(lock, grace, [&] { return !state.busy; }))
        raiseNotAnswering(QCoreApplication::translate(
            "LibraryThread", "Камера не ответила на прошлую команду и ещё занята ею"));
    auto deadline = Clock::now() + limit;

    state.job = std::move(job);
    state.hasJob = true;
    state.busy = true;
    state.bytes = -1;
    const std::uint64_t ticket = ++state.started;
    std::uint64_t seenSigns = state.lifeSigns;
    std::int64_t reportedBytes = -1;
    state.changed.notify_all();

    while (state.finished != ticket) {
        if (state.lifeSigns != seenSigns) {
            seenSigns = state.lifeSigns;
            deadline = Clock::now() + limit;
            if (progress && state.bytes != reportedBytes) {
                reportedBytes = state.bytes;
                lock.unlock();
                progress(reportedBytes);
                lock.lock();
            }
            continue;
        }
        if (state.changed.wait_until(lock, deadline) == std::cv_status::timeout &&
            state.finished != ticket && state.lifeSigns == seenSigns) {
            state.abandonedNow = true;
            state.abandonedEarlier = true;
            raiseTimedOut(limit);
        }
    }
    if (progress && state.bytes != reportedBytes) {
        reportedBytes = state.bytes;
        lock.unlock();
        progress(reportedBytes);
    }
}

std::function<bool()> LibraryThread::abandonedCheck() const {
    std::weak_ptr<State> weak = state_;
    return [weak] {
        auto state = weak.lock();
        return state && state->abandoned();
    };
}

} // namespace snapdeck::gphoto2
