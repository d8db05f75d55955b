#include "DateTimeText.h"

namespace snapdeck {

namespace {

// Removes the time-zone fields ('t' outside quotes) and the blanks they leave.
QString withoutTimeZone(const QString& format) {
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result.append(c);
    }
    return result.simplified();
}

} // namespace

QString regionalShortDateFormat(const QLocale& locale) {
    return locale.dateFormat(QLocale::ShortFormat);
}

QString regionalLongTimeFormat(const QLocale& locale) {
    if (locale.language() == QLocale::Russian)
        return QStringLiteral("H:mm:ss");
    return withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
}

QString generalDateText(const QDateTime& moment, const QLocale& locale) {
    const QString date = locale.toString(moment.date(), regionalShortDateFormat(locale));
    if (moment.time() == QTime(0, 0, 0))
        return date;
    return date + u' ' + locale.toString(moment.time(), regionalLongTimeFormat(locale));
}

} // namespace snapdeck
