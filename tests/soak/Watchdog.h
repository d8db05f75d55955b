#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace snapdeck::soak {

// Ends the process with a message when the station's thread makes no progress for
// too long: a hang must not pass for a slow run.
class Watchdog {
public:
    explicit Watchdog(int seconds);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // The station's thread got through one more round.
    void beat(int round) { round_.store(round, std::memory_order_relaxed); }

private:
    void watch(int seconds);

    std::atomic<int> round_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace snapdeck::soak
