#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace snapdeck {

// The locale's short date form and long time form, the time without a time zone. For
// Russian the hour has no leading zero ("H:mm:ss"), as in the Russian regional
// defaults of desktop systems.
QString regionalShortDateFormat(const QLocale& locale);
QString regionalLongTimeFormat(const QLocale& locale);

// The general date text of a moment: short date, one blank, long time; the date alone
// when the time of day is exactly 00:00:00.
QString generalDateText(const QDateTime& moment, const QLocale& locale);

} // namespace snapdeck
