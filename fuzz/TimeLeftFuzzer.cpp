// The countdown to the next shot: always "hh:mm:ss" from 00:00:00 to 23:59:59, the
// milliseconds left rounded up to whole seconds and brought into one day.
#include "engine/schedule/TimeLeftText.h"

#include <QRegularExpression>
#include <QTime>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace snapdeck;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Any span a run can have, early or late, up to the largest interval many times over.
    const qint64 left = input.ConsumeIntegralInRange<qint64>(-(qint64(1) << 40), qint64(1) << 40);
    const QString text = timeLeftText(left);

    static const QRegularExpression form(
        QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$"));
    const qint64 seconds = left >= 0 ? (left + 999) / 1000 : -((-left) / 1000);
    const qint64 expected = ((seconds % 86400) + 86400) % 86400;
    const QTime shown = QTime::fromString(text, QStringLiteral("hh:mm:ss"));
    if (!form.match(text).hasMatch() || shown.msecsSinceStartOfDay() / 1000 != expected) {
        std::fprintf(stderr, "\"%s\" for %lld ms\n", qPrintable(text),
                     static_cast<long long>(left));
        std::abort();
    }
    return 0;
}
