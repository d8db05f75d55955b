#include "ShutterTimes.h"

#include "ChoiceMatching.h"
#include "camera/CameraSettings.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <vector>

namespace snapdeck::gphoto2 {

namespace {

double decimal(const QString& text) {
    QString copy = text;
    return copy.replace(u',', u'.').toDouble();
}

// Nominal speeds: the program's list, and the third stops cameras have beyond it (as
// a fraction "1/denominator" or in seconds).
const std::vector<std::int64_t>& nominalSpeeds() {
    static const std::vector<std::int64_t> speeds = [] {
        std::vector<std::int64_t> list;
        for (const SettingEntry<int>& entry : settingTables::shutterTimes())
            list.push_back(entry.value);
        const double fractions[] = {8000, 6400, 5000, 4000, 3200, 2500, 2000, 1600, 1250, 500};
        const double seconds[] = {20, 25, 30};
        for (double denominator : fractions)
            list.push_back(std::int64_t(std::floor(1e6 / denominator + 0.5)));
        for (double s : seconds)
            list.push_back(std::int64_t(std::llround(s * 1e6)));
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
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
