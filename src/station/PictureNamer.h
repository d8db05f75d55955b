#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace snapdeck {

// The station's picture names: the configured pattern's strftime fields filled from the
// moment of the shot and %n from a counter that only grows, then ".jpg". A name that is
// taken already (the clock was set back, daylight saving ended) gets "-2", "-3", ...
// before the extension, so no picture ever replaces another.
QString stationPictureName(const QString& pattern, const QDateTime& moment, qint64 counter,
                           const std::function<bool(const QString&)>& isTaken);

} // namespace snapdeck
