#include "ShutterTimes.h"

#include "ChoiceMatching.h"

#include <QRegularExpression>
#include <cmath>
#include <vector>

namespace snapdeck::gphoto2 {

namespace {

double decimal(const QString& text) {
    QString copy = text;
    return copy.replace(u',', u'.').toDouble();
}

// Nominal speeds as a fraction "1/denominator" (below one second) or in seconds.
const std::vector<std::int64_t>& nominalSpeeds() {
    static const std::vector<std::int64_t> speeds = [] {
        const double fractions[] = {8000, 6400, 5000, 4000, 3200, 2500, 2000, 1600, 1250, 1000,
                                    800,  640,  600,  500,  400,  320,  250,  200,  160,  125,
                                    100,  80,   60,   50,   40,   30,   25,   20,   15,   13,
                                    10,   8,    6,    5,    4,    3,    2.5,  2,    1.6,  1.3};
        const double seconds[] = {1, 1.3, 1.6, 2, 2.5, 3.2, 4, 5, 6, 8, 10, 13, 15, 20, 25, 30};
        std::vector<std::int64_t> list;
        for (double denominator : fractions)
            list.push_back(std::int64_t(std::floor(1e6 / denominator + 0.5)));
        for (double s : seconds)
            list.push_back(std::int64_t(std::llround(s * 1e6)));
        return list;
    }();
    return speeds;
}

} // namespace

std::optional<std::int64_t> shutterMicroseconds(const QString& text) {
    static const QRegularExpression fraction(
        QStringLiteral("(\\d+(?:[.,]\\d+)?)\\s*/\\s*(\\d+(?:[.,]\\d+)?)"));
    const QRegularExpressionMatch match = fraction.match(text);
    double seconds = 0;
    if (match.hasMatch()) {
        const double denominator = decimal(match.captured(2));
        if (denominator <= 0)
            return std::nullopt;
        seconds = decimal(match.captured(1)) / denominator;
    } else if (auto number = firstNumber(text)) {
        seconds = *number;
    } else {
        return std::nullopt;
    }
    if (seconds <= 0)
        return std::nullopt;
    return std::llround(seconds * 1e6);
}

std::int64_t nominalShutterMicroseconds(std::int64_t microseconds) {
    if (microseconds <= 0)
        return microseconds;
    QList<double> values;
    for (std::int64_t speed : nominalSpeeds())
        values << double(speed);
    const int nearest = nearestOnLogScale(values, double(microseconds));
    const double ratio = values[nearest] / double(microseconds);
    return std::abs(std::log(ratio)) <= std::log(1.05) ? std::int64_t(values[nearest])
                                                       : microseconds;
}

} // namespace snapdeck::gphoto2
