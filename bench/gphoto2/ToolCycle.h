#pragma once

#include "support/BenchStats.h"

#include <QString>

namespace snapdeck::bench {

class PtpIpCamera;

// Debian's gphoto2 tool taking pictures from the PTP/IP test camera.
struct ToolCycleFigures {
    static constexpr int kShellShots = 20;
    Samples perRun;     // one --capture-image-and-download run, start to end
    Samples shellEmpty; // a --shell run without shots: process, drivers, camera opened
    Samples shellShots; // a --shell run with kShellShots shots
    Samples cameraSide; // inside the shell runs: one "initiate capture" to the next

    // Per shot inside one run, by our clock: the run's start and end taken off.
    double perShotInShell() const {
        return (shellShots.median() - shellEmpty.median()) / kShellShots;
    }
};

ToolCycleFigures measureToolCycle(PtpIpCamera& device, const QString& folder, int repeat);

} // namespace snapdeck::bench
