#pragma once

#include <QDateTime>
#include <QString>

namespace snapdeck {

// The time of day of "next" minus that of "now", brought into 0 to 24 hours, as
// "hh:mm:ss". A next shot less than a day ahead reads as the time left; one that has
// just passed reads as a time just under 24 hours (one second late is 23:59:59).
QString timeLeftText(const QDateTime& next, const QDateTime& now);

} // namespace snapdeck
