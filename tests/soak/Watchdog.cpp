#include "Watchdog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace snapdeck::soak {

Watchdog::Watchdog(int seconds) : thread_([this, seconds] { watch(seconds); }) {}

Watchdog::~Watchdog() {
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::watch(int seconds) {
    std::unique_lock lock(mutex_);
    int seen = -1;
    while (!wake_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) {
        const int round = round_.load(std::memory_order_relaxed);
        if (round == seen) {
            std::fprintf(stderr, "soak: HANG - round %d did not end within %d s\n", round + 1,
                         seconds);
            std::abort();
        }
        seen = round;
    }
}

} // namespace snapdeck::soak
