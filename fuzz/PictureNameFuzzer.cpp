// The file name of a capture, for any locale Qt knows and any moment, with any set of
// names already taken in the folder.
#include "FuzzMoments.h"
#include "FuzzText.h"
#include "common/DateTimeText.h"
#include "engine/capture/PictureFiles.h"

#include <QList>
#include <QSet>
#include <cstdio>
#include <cstdlib>

using namespace snapdeck;

namespace {

[[noreturn]] void fail(const char* what, const QString& name, const QLocale& locale,
                       const QDateTime& moment) {
    std::fprintf(stderr, "%s: \"%s\" (%s, %s)\n", what, qPrintable(name), qPrintable(locale.name()),
                 qPrintable(moment.toString(Qt::ISODateWithMs)));
    std::abort();
}

const QList<QLocale>& allLocales() {
    static const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    return locales;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const QList<QLocale>& locales = allLocales();
    const QLocale locale = locales[input.ConsumeIntegralInRange<qsizetype>(0, locales.size() - 1)];
    const QDateTime moment = fuzz::momentFrom(input);

    const QString first = datedPictureName(moment, locale, [](const QString&) { return false; });
    const QString extension = QStringLiteral(".jpg");
    const QString stem = first.chopped(extension.size());
    if (!first.endsWith(extension) || stem.isEmpty())
        fail("no stem and .jpg", first, locale, moment);
    for (QChar c : stem)
        if (c == u'/' || c == u'\\' || c == u'\0' || c == u'.' || c == u':' || c.isSpace())
            fail("a character that must have been replaced", first, locale, moment);
    if (stem.size() != generalDateText(moment, locale).size())
        fail("not the date text with characters replaced", first, locale, moment);

    // Taken: the plain name and some of the numbered ones, and a few other names.
    QSet<QString> taken;
    if (input.ConsumeBool())
        taken.insert(first);
    const int numbered = input.ConsumeIntegralInRange(0, 40);
    for (int i = 0; i < numbered; ++i)
        taken.insert(stem + u'_' + QString::number(input.ConsumeIntegralInRange(1, 50)) +
                     extension);
    while (input.remaining_bytes() > 0)
        taken.insert(fuzz::textFrom(input, 16));

    const QString name =
        datedPictureName(moment, locale, [&](const QString& n) { return taken.contains(n); });
    if (taken.contains(name))
        fail("a name already taken", name, locale, moment);
    if (name == first)
        return 0;
    // Otherwise the lowest free number from 2 on.
    const QString number = name.mid(stem.size() + 1).chopped(extension.size());
    bool ok = false;
    const int suffix = number.toInt(&ok);
    if (!name.startsWith(stem + u'_') || !name.endsWith(extension) || !ok || suffix < 2 ||
        !taken.contains(first) || QString::number(suffix) != number)
        fail("not the plain name nor a numbered one", name, locale, moment);
    for (int lower = 2; lower < suffix; ++lower)
        if (!taken.contains(stem + u'_' + QString::number(lower) + extension))
            fail("skips a free number", name, locale, moment);
    return 0;
}
