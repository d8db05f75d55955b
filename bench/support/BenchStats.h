#pragma once

#include <QList>
#include <QString>
#include <chrono>
#include <vector>

namespace snapdeck::bench {

// Repeated measurements of one figure, in milliseconds. The machines we measure on are
// shared and noisy: figures are medians, with the spread printed beside them.
class Samples {
public:
    void add(double milliseconds) { values_.push_back(milliseconds); }
    bool empty() const { return values_.empty(); }
    std::size_t count() const { return values_.size(); }
    const std::vector<double>& values() const { return values_; }
    double median() const;
    double min() const;
    double max() const;
    // The value that "fraction" of the samples do not exceed (nearest rank): 0.99 for
    // the 99th percentile.
    double percentile(double fraction) const;
    // "12.3 ms (11.9..14.0)"
    QString text() const;

private:
    std::vector<double> values_;
};

using BenchClock = std::chrono::steady_clock;

inline double millisecondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

// How long "work" took, in milliseconds.
template <typename Work> double timed(Work&& work) {
    const BenchClock::time_point start = BenchClock::now();
    work();
    return millisecondsSince(start);
}

// The gaps between consecutive moments (milliseconds) from index "from" on.
Samples gapsBetween(const QList<double>& moments, qsizetype from = 0);

// How many times each figure is measured: the default, or BENCH_REPEAT from the
// environment.
int repetitions(int byDefault);

} // namespace snapdeck::bench
