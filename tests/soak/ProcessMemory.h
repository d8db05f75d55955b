#pragma once

#include <QtGlobal>

namespace snapdeck::soak {

// This process's resident memory in KiB (VmRSS of /proc/self/status), 0 if unknown.
qint64 residentKiB();
// The highest resident memory so far (VmHWM).
qint64 peakResidentKiB();
// Bytes the C library's allocator has handed out and not had back, in KiB: what a leak
// makes grow, without the allocator's own slack that resident memory includes.
qint64 heapInUseKiB();

} // namespace snapdeck::soak
