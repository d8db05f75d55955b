// The countdown to the next shot: always "hh:mm:ss" from 00:00:00 to 23:59:59, the
// difference of the two times of day brought into one day.
#include "FuzzMoments.h"
#include "common/Moment.h"
#include "schedule/TimeLeftText.h"

#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>

using namespace snapdeck;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const QDateTime next = fuzz::momentFrom(input);
    const QDateTime now = fuzz::momentFrom(input);
    const QString text = timeLeftText(next, now);

    static const QRegularExpression form(
        QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$"));
    const int expected = ((secondsOfDay(next) - secondsOfDay(now)) % 86400 + 86400) % 86400;
    const QTime shown = QTime::fromString(text, QStringLiteral("hh:mm:ss"));
    if (!form.match(text).hasMatch() || shown.msecsSinceStartOfDay() / 1000 != expected) {
        std::fprintf(stderr, "\"%s\" for %s and %s\n", qPrintable(text),
                     qPrintable(next.toString(Qt::ISODateWithMs)),
                     qPrintable(now.toString(Qt::ISODateWithMs)));
        std::abort();
    }
    return 0;
}
