#pragma once

#include <QString>

namespace snapdeck::bench {

// One line naming the machine a figure was measured on: processor, cores available to
// us, memory, kernel, the file system of "folder" (fsync costs depend on it) and the
// load at the moment, which says how noisy the figures may be.
QString machineLine(const QString& folder);

// Prints "machine: ..." to standard output.
void printMachine(const QString& folder);

} // namespace snapdeck::bench
