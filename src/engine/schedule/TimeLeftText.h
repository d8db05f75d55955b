#pragma once

#include <QString>
#include <QtGlobal>

namespace snapdeck {

// The time left until the next shot as "hh:mm:ss", brought into 0 to 24 hours. Parts of
// a second count as a whole second left; a shot that has just come due reads 00:00:00
// and one that is a second late reads 23:59:59.
QString timeLeftText(qint64 millisecondsLeft);

} // namespace snapdeck
