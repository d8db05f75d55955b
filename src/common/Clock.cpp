#include "Clock.h"

#include <QTime>

namespace snapdeck {

QDateTime SystemClock::now() const {
    QDateTime current = QDateTime::currentDateTime();
    const QTime t = current.time();
    current.setTime(QTime(t.hour(), t.minute(), t.second()));
    return current;
}

} // namespace snapdeck
