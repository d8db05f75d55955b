#pragma once

#include "support/BenchStats.h"

#include <QString>

namespace snapdeck::bench {

class PtpIpCamera;

// Our libgphoto2 backend's per-shot cycle against the PTP/IP test camera.
struct OurCycleFigures {
    Samples start; // initialize, cameraCount, open: once per run
    Samples shot;  // one cycle, the file flushed as the program writes it
    Samples capture, select, download, write, remove; // its steps
    Samples plainWrite; // the same bytes written as the gphoto2 tool does, without flushing
    Samples cameraSide; // one "initiate capture" to the next, by the camera's clock
    qint64 pictureBytes = 0;

    // The cycle with the file written as the tool writes it.
    double toolLikeShot() const { return shot.median() - write.median() + plainWrite.median(); }
};

// The camera calls of a capture as the engine's capture makes them (takePicture,
// pictureCount, pictureSize, downloadPicture, deletePicture) and the file written by
// writeFileAtomically, "repeat" times back to back.
OurCycleFigures measureOurCycle(PtpIpCamera& device, const QString& folder, int repeat);

struct WindowCycleFigures {
    Samples shot;       // "Захват" clicked until it is enabled again
    Samples cameraSide; // one "initiate capture" to the next, by the camera's clock
    double run = 0;     // the whole run of captures until the last picture is painted, per shot
};

// "Захват" in the real window, the engine on its own thread as in the program, pressed
// again as soon as the engine has done the capture before: the cycle above plus the
// exposure sent first and the counters read back after. The window shows every picture,
// decoded on a worker, while the engine goes on with the next shot.
WindowCycleFigures measureWindowCycle(PtpIpCamera& device, const QString& folder, int repeat);

} // namespace snapdeck::bench
