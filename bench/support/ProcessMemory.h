#pragma once

namespace snapdeck::bench {

// This process's resident memory from /proc/self/status, in KiB; -1 when unknown.
long residentKiB();     // VmRSS, now
long peakResidentKiB(); // VmHWM, the highest since start or since resetPeakResident()

// Starts the peak over from the current resident size (Linux 4.0 and later); false
// when the kernel does not allow it.
bool resetPeakResident();

} // namespace snapdeck::bench
