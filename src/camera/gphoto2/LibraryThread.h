#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace snapdeck::gphoto2 {

// What a job on the library thread tells its caller, and learns from it.
class CallSignals {
public:
    virtual ~CallSignals() = default;
    // A sign of life: restarts the caller's time limit. bytes >= 0 also reports the
    // bytes of the running download so far.
    virtual void alive(std::int64_t bytes = -1) = 0;
    // True once the caller has stopped waiting for this job.
    virtual bool abandoned() const = 0;
    // True (once) when an earlier job was abandoned: the camera session it used is
    // suspect and should be opened afresh.
    virtual bool takeEarlierAbandon() = 0;
};

// The one thread on which every libgphoto2 call runs. libgphoto2 calls block, some
// without any limit (a PTP capture waits for its events forever), so the window thread
// hands each call to this thread and waits with a time limit instead of hanging.
// The thread runs with the "C" locale for numbers and messages and with SIGPIPE
// blocked: a write to a camera that has closed its socket fails instead of killing the
// program.
class LibraryThread {
public:
    using Job = std::function<void(CallSignals&)>;
    using Progress = std::function<void(std::int64_t bytes)>;

    LibraryThread();
    // Joins the thread, or leaves it behind when it is stuck in an abandoned call.
    ~LibraryThread();
    LibraryThread(const LibraryThread&) = delete;
    LibraryThread& operator=(const LibraryThread&) = delete;

    // Runs the job on the library thread and waits for it to end. When the job shows
    // no sign of life for "limit", it is abandoned and the call raises error 26. While
    // a job of an earlier, abandoned call is still stuck, a call raises 26 at once
    // (after a quarter second's grace) instead of waiting its limit again.
    // "progress" runs on the calling thread. The job must not throw.
    void run(Job job, std::chrono::milliseconds limit, const Progress& progress = {});

    // For libgphoto2's cancel hook: true while the running job is abandoned.
    std::function<bool()> abandonedCheck() const;

private:
    struct State;
    static void serve(std::shared_ptr<State> state);

    std::shared_ptr<State> state_;
    std::thread thread_;
};

} // namespace snapdeck::gphoto2
