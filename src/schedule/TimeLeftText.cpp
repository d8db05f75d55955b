#include "TimeLeftText.h"

#include "common/Moment.h"

namespace snapdeck {

QString timeLeftText(const QDateTime& next, const QDateTime& now) {
    constexpr int kSecondsPerDay = 24 * 60 * 60;
    int left = secondsOfDay(next) - secondsOfDay(now);
    if (left < 0)
        left += kSecondsPerDay;
    const auto twoDigits = [](int value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    return twoDigits(left / 3600) + u':' + twoDigits(left / 60 % 60) + u':' + twoDigits(left % 60);
}

} // namespace snapdeck
