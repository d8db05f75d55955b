#include "TimeLeftText.h"

namespace snapdeck {

QString timeLeftText(qint64 millisecondsLeft) {
    constexpr qint64 kSecondsPerDay = 24 * 60 * 60;
    // Rounded up: a shot 29.4 s ahead shows 00:00:30 until it is at most 29 s ahead.
    qint64 left =
        millisecondsLeft >= 0 ? (millisecondsLeft + 999) / 1000 : -(-millisecondsLeft / 1000);
    left %= kSecondsPerDay;
    if (left < 0)
        left += kSecondsPerDay;
    const auto twoDigits = [](qint64 value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    return twoDigits(left / 3600) + u':' + twoDigits(left / 60 % 60) + u':' + twoDigits(left % 60);
}

} // namespace snapdeck
