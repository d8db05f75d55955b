#pragma once

#include <algorithm>
#include <chrono>

namespace snapdeck {

// The wait before the next try after a failure: 1 s, doubling with each failure in a
// row up to 5 min; a success starts again from 1 s.
class Backoff {
public:
    static constexpr std::chrono::milliseconds kFirst{1000};
    static constexpr std::chrono::milliseconds kLongest{5 * 60 * 1000};

    std::chrono::milliseconds afterFailure() {
        const std::chrono::milliseconds wait = next_;
        next_ = std::min(next_ * 2, kLongest);
        return wait;
    }
    void succeeded() { next_ = kFirst; }

private:
    std::chrono::milliseconds next_ = kFirst;
};

} // namespace snapdeck
