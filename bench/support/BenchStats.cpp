#include "BenchStats.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace snapdeck::bench {

double Samples::median() const {
    if (values_.empty())
        return 0;
    std::vector<double> sorted = values_;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double Samples::min() const {
    return values_.empty() ? 0 : *std::min_element(values_.begin(), values_.end());
}

double Samples::max() const {
    return values_.empty() ? 0 : *std::max_element(values_.begin(), values_.end());
}

double Samples::percentile(double fraction) const {
    if (values_.empty())
        return 0;
    std::vector<double> sorted = values_;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * double(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

QString Samples::text() const {
    return QStringLiteral("%1 ms (%2..%3)")
        .arg(median(), 0, 'f', 2)
        .arg(min(), 0, 'f', 2)
        .arg(max(), 0, 'f', 2);
}

Samples gapsBetween(const QList<double>& moments, qsizetype from) {
    Samples gaps;
    for (qsizetype i = std::max<qsizetype>(from, 0) + 1; i < moments.size(); ++i)
        gaps.add(moments[i] - moments[i - 1]);
    return gaps;
}

int repetitions(int byDefault) {
    const char* text = std::getenv("BENCH_REPEAT");
    const int wanted = text ? std::atoi(text) : 0;
    return wanted > 0 ? wanted : byDefault;
}

} // namespace snapdeck::bench
