#include "Moment.h"

#include <cstdint>

namespace snapdeck {

namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar, month
// 1 to 12 (Howard Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr qint64 kJulianDayOf1970 = 2440588;

} // namespace

QDateTime momentFromParts(int year, int month, int day, int hour, int minute, int second) {
    // The arithmetic is on the calendar and the clock face, like a wall clock, so that
    // "hour 24" is the next day's midnight also across a change of daylight saving.
    const std::int64_t months = std::int64_t(year) * 12 + (std::int64_t(month) - 1);
    const std::int64_t firstOfMonth =
        daysFromCivil(floorDiv(months, 12), months - floorDiv(months, 12) * 12 + 1, 1);
    const std::int64_t seconds = (firstOfMonth + (std::int64_t(day) - 1)) * kSecondsPerDay +
                                 std::int64_t(hour) * 3600 + std::int64_t(minute) * 60 + second;
    const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
    const std::int64_t inDay = seconds - days * kSecondsPerDay;
    const QDate date = QDate::fromJulianDay(days + kJulianDayOf1970);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(inDay * 1000)));
}

int secondsOfDay(const QDateTime& moment) {
    return moment.time().msecsSinceStartOfDay() / 1000;
}

} // namespace snapdeck
