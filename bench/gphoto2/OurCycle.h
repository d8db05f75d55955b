#pragma once

#include "support/BenchStats.h"

#include <QString>

namespace snapdeck::bench {

class PtpIpCamera;

// Our libgphoto2 backend's per-shot cycle against the PTP/IP test camera.
struct OurCycleFigures {
    Samples start; // Initialize, GetCameraCount, OpenCamera: once per run
    Samples shot;  // one cycle, the file flushed as the program writes it
    Samples capture, select, download, write, remove; // its steps
    Samples plainWrite; // the same bytes written as the gphoto2 tool does, without flushing
    Samples cameraSide; // one "initiate capture" to the next, by the camera's clock
    qint64 pictureBytes = 0;

    // The cycle with the file written as the tool writes it.
    double toolLikeShot() const { return shot.median() - write.median() + plainWrite.median(); }
};

// The camera calls of a capture as Capture::CapturePicture makes them (TakePicture,
// GetPictureCount, SelectedPicture, GetPictureSize, DownloadPicture, DeletePicture) and
// the file written by writeFileAtomically, "repeat" times back to back.
OurCycleFigures measureOurCycle(PtpIpCamera& device, const QString& folder, int repeat);

struct WindowCycleFigures {
    Samples shot;       // "Захват" clicked until the window has painted
    Samples cameraSide; // one "initiate capture" to the next, by the camera's clock
};

// "Захват" in the real window: the cycle above plus the exposure sent first, the
// picture box and the counters read back after.
WindowCycleFigures measureWindowCycle(PtpIpCamera& device, const QString& folder, int repeat);

} // namespace snapdeck::bench
