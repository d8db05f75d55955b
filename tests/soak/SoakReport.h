#pragma once

#include "SoakFigures.h"

#include <QString>
#include <QStringList>

namespace snapdeck::soak {

// The figures as the text the soak prints.
QString soakReport(const SoakFigures& figures);

// What is wrong with the run: a lost, damaged or unknown picture, a half-written file,
// an upload reported done that the server does not hold, a box no fault explains, an
// exception out of the engine, a run that ended early, and resident memory that grew by
// more than "memoryToleranceKiB" after warm-up (negative: not checked). Empty: passed.
QStringList soakProblems(const SoakFigures& figures, qint64 memoryToleranceKiB);

// Parts every soak's report and checks share: the memory's samples ("unit": shots or
// rounds) and the heap; the pictures' faults; the growth of resident memory.
void reportMemorySamples(QStringList& out, const MemoryFigures& memory, const QString& unit);
void checkPictures(QStringList& problems, const PictureCount& pictures);
void checkMemory(QStringList& problems, const MemoryFigures& memory, qint64 memoryToleranceKiB);

} // namespace snapdeck::soak
