#include "Moment.h"

#include <algorithm>
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

QDateTime atSecond(std::int64_t secondsSince1970) {
    return QDateTime::fromSecsSinceEpoch(secondsSince1970);
}

// The first moment whose wall clock shows "wall", given in seconds since 1970 on the
// clock face. Of an hour shown twice when daylight saving ends, the first showing; an
// hour the clocks skip when it begins is never shown, so a time in it is the moment
// the clocks jump: a start or stop time there still comes, as it would on a wall clock.
QDateTime firstShowing(std::int64_t wall) {
    // The offsets from UTC a day before and after; a zone changes its offset at most
    // once in two days.
    const int before = atSecond(wall - kSecondsPerDay).offsetFromUtc();
    const int after = atSecond(wall + kSecondsPerDay).offsetFromUtc();
    std::int64_t earliest = wall - std::max(before, after);
    std::int64_t latest = wall - std::min(before, after);
    for (const std::int64_t candidate : {earliest, latest})
        if (candidate + atSecond(candidate).offsetFromUtc() == wall)
            return atSecond(candidate);
    // Skipped: the clocks jump between the two, where the offset turns into "after".
    while (latest - earliest > 1) {
        const std::int64_t middle = earliest + (latest - earliest) / 2;
        if (atSecond(middle).offsetFromUtc() == after)
            latest = middle;
        else
            earliest = middle;
    }
    return atSecond(latest);
}

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
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(inDay * 1000));
    // Beyond the moments Qt can hold (some hundred million years) there is no moment.
    if (!QDateTime(date, time, Qt::UTC).isValid())
        return {};
    return firstShowing(seconds);
}

int secondsOfDay(const QDateTime& moment) {
    return moment.time().msecsSinceStartOfDay() / 1000;
}

} // namespace snapdeck
