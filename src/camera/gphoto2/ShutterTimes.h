#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace snapdeck::gphoto2 {

// An exposure time as cameras write it ("1/30", "0.0333s", "2", "2.5s", "30\"") in
// microseconds; nothing for texts without a time ("Bulb").
std::optional<std::int64_t> shutterMicroseconds(const QString& text);

// Cameras store exposure times coarsely (PTP in tenths of a millisecond, so 1/30 s
// comes back as 0.0333 s). A time within 5 % of a nominal shutter speed (the program's
// list, and third stops from 1/8000 s to 30 s) is reported as that speed, whole microseconds with a
// half going up (1/30 -> 33333, 1/640 -> 1563); others are returned unchanged.
std::int64_t nominalShutterMicroseconds(std::int64_t microseconds);

} // namespace snapdeck::gphoto2
