#include "TickTimes.h"

#include <algorithm>
#include <cmath>

namespace snapdeck::soak {

void TickTimes::reserve(int shots) {
    // Faults add rounds without a shot; a run has rarely more than one in four. Filled
    // once, so that the pages are the process's before its memory is measured.
    const auto ticks = static_cast<size_t>(shots) * 3 / 2 + 64;
    for (std::vector<double>* times : {&shotTicks_, &quietShotTicks_}) {
        times->resize(ticks);
        times->clear();
    }
}

void TickTimes::note(double milliseconds, int round, const QString& handler, bool quietServer) {
    total_ += milliseconds;
    if (handler == QStringLiteral("intervalTick")) {
        shotTicks_.push_back(milliseconds);
        if (quietServer)
            quietShotTicks_.push_back(milliseconds);
    }
    if (milliseconds > longest_) {
        longest_ = milliseconds;
        longestRound_ = round;
        longestHandler_ = handler;
    }
    if (quietServer && milliseconds > longestQuiet_) {
        longestQuiet_ = milliseconds;
        longestQuietRound_ = round;
    }
}

double TickTimes::percentile(double fraction, bool quietServerOnly) const {
    const std::vector<double>& ticks = quietServerOnly ? quietShotTicks_ : shotTicks_;
    if (ticks.empty())
        return 0;
    std::vector<double> sorted = ticks;
    std::sort(sorted.begin(), sorted.end());
    const auto index = static_cast<size_t>(std::ceil(fraction * sorted.size())) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

} // namespace snapdeck::soak
