#pragma once

#include "camera/CameraRecords.h"

namespace snapdeck {

// The main window's own state, shared by its procedures.
struct WindowState {
    // True from the start of loading until the setting lists are filled: previews are
    // skipped and the exposure read-back stops short.
    bool FormLoading = false;
    // Exposure mode, aperture and shutter as last exchanged with the camera; every
    // capture sends it before the shot.
    ExposureSettings Exposure;
    // Guards the exposure read-back against the list changes it makes itself.
    bool ExposureBusy = false;
};

} // namespace snapdeck
