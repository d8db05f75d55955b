// The moment builder of the start and stop boxes, against the calendar's own arithmetic:
// whole years and months as a QDate, then days and the clock face added to it.
#include "common/Moment.h"

#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace snapdeck;

namespace {

[[noreturn]] void fail(const char* what, const int parts[6], const QDateTime& got) {
    std::fprintf(stderr, "%s: %d-%d-%d %d:%d:%d gave %s\n", what, parts[0], parts[1], parts[2],
                 parts[3], parts[4], parts[5], qPrintable(got.toString(Qt::ISODate)));
    std::abort();
}

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

// The wall-clock date and time the parts stand for. QDate has no year 0: the
// astronomical year 0 is its year -1.
std::pair<QDate, QTime> referenceWallClock(const int p[6]) {
    const qint64 months = qint64(p[0]) * 12 + p[1] - 1;
    const qint64 year = floorDiv(months, 12);
    const int month = int(months - year * 12) + 1;
    const QDate first(int(year <= 0 ? year - 1 : year), month, 1);
    const qint64 seconds = (qint64(p[2]) - 1) * 86400 + qint64(p[3]) * 3600 + p[4] * 60 + p[5];
    const qint64 days = floorDiv(seconds, 86400);
    return {first.addDays(days), QTime(0, 0).addSecs(int(seconds - days * 86400))};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A zone with daylight saving, so that skipped and repeated wall-clock hours occur
    // (central Europe's rule, as a POSIX rule that needs no zone files).
    if (!std::getenv("TZ"))
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    int parts[6];
    // The boxes hold 16-bit numbers; the builder takes any int and must not fail on one.
    const bool boxRange = input.ConsumeProbability<float>() < 0.9f;
    for (int& part : parts)
        part = boxRange ? input.ConsumeIntegral<std::int16_t>() : input.ConsumeIntegral<int>();

    const QDateTime moment =
        momentFromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
    if (!boxRange)
        return 0;

    const auto [date, time] = referenceWallClock(parts);
    if (!moment.isValid())
        fail("no moment", parts, moment);
    const QDateTime exact(date, time);
    if (exact.isValid()) {
        if (moment.date() != date || moment.time() != time)
            fail("differs from the calendar", parts, moment);
        // An hour shown twice (daylight saving ends; the clocks go back by half an
        // hour, an hour or two): the first time it is shown.
        for (int back : {1800, 3600, 7200}) {
            const QDateTime earlier = moment.addSecs(-back);
            if (earlier.date() == date && earlier.time() == time)
                fail("not the first time the clock shows it", parts, moment);
        }
        return 0;
    }
    // The wall clock skips this time: the moment is the first one whose clock reads later.
    const QDateTime asWritten(date, time, Qt::UTC);
    const QDateTime shown(moment.date(), moment.time(), Qt::UTC);
    const QDateTime before = moment.addSecs(-1);
    const QDateTime shownBefore(before.date(), before.time(), Qt::UTC);
    if (shown <= asWritten || shownBefore >= asWritten || shown.secsTo(asWritten) < -3 * 3600)
        fail("not the first moment after the skipped time", parts, moment);
    return 0;
}
