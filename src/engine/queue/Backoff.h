#pragma once

#include <algorithm>
#include <chrono>

namespace snapdeck {

// The wait before the next try after a failure: 1 s, doubling with each failure in a
// row up to 5 min; a success starts again from 1 s. A soak that runs the station's
// seconds faster than real ones shortens both.
class Backoff {
public:
    static constexpr std::chrono::milliseconds kFirst{1000};
    static constexpr std::chrono::milliseconds kLongest{5 * 60 * 1000};

    explicit Backoff(std::chrono::milliseconds first = kFirst,
                     std::chrono::milliseconds longest = kLongest)
        : first_(first), longest_(std::max(first, longest)), next_(first) {}

    std::chrono::milliseconds afterFailure() {
        const std::chrono::milliseconds wait = next_;
        next_ = std::min(next_ * 2, longest_);
        return wait;
    }
    void succeeded() { next_ = first_; }

private:
    std::chrono::milliseconds first_;
    std::chrono::milliseconds longest_;
    std::chrono::milliseconds next_;
};

} // namespace snapdeck
