#pragma once

#include <QDateTime>
#include <fuzzer/FuzzedDataProvider.h>

namespace snapdeck::fuzz {

// A valid local moment anywhere from year -9999 to 9999, to the millisecond.
inline QDateTime momentFrom(FuzzedDataProvider& input) {
    static const qint64 first = QDate(-9999, 1, 1).toJulianDay();
    static const qint64 last = QDate(9999, 12, 31).toJulianDay();
    const QDate date = QDate::fromJulianDay(input.ConsumeIntegralInRange(first, last));
    const int msecs = input.ConsumeIntegralInRange(0, 24 * 3600 * 1000 - 1);
    QDateTime moment(date, QTime::fromMSecsSinceStartOfDay(msecs));
    // A wall-clock time skipped by a daylight-saving change does not exist: take the
    // same time of day as UTC instead.
    if (!moment.isValid())
        moment = QDateTime(date, QTime::fromMSecsSinceStartOfDay(msecs), Qt::UTC);
    return moment;
}

} // namespace snapdeck::fuzz
