#pragma once

#include <QtGlobal>

namespace snapdeck::test {

// This process's resident memory from /proc/self/status, in KiB; -1 when unknown.
qint64 residentKiB();     // VmRSS, now
qint64 peakResidentKiB(); // VmHWM, the highest since start or since resetPeakResident()

// Starts the peak over from the current resident size (Linux 4.0 and later); false
// when the kernel does not allow it.
bool resetPeakResident();

// Bytes the C library's allocator has handed out and not had back, in KiB: what a leak
// makes grow, without the allocator's own slack that resident memory includes.
qint64 heapInUseKiB();

} // namespace snapdeck::test
