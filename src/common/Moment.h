#pragma once

#include <QDateTime>

namespace snapdeck {

// The local moment "the first day of the month, plus day - 1 days, plus the hours,
// minutes and seconds", every part added linearly: day 31 of a 30-day month is the
// 1st of the next month, hour 24 the next day, month 13 January of the next year,
// month 0 December of the year before. Years count astronomically (year 0 is the year
// before 1); years below 100 are taken as they stand. The moment is the first whose
// wall clock shows that time: the first of an hour shown twice when daylight saving
// ends, and for a time in the hour skipped when it begins, the moment the clocks jump.
QDateTime momentFromParts(int year, int month, int day, int hour, int minute, int second);

// Seconds since midnight, fractions dropped.
int secondsOfDay(const QDateTime& moment);

} // namespace snapdeck
