#pragma once

#include "camera/CameraRecords.h"

#include <cstdint>

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
    // Pictures on the card at the last refresh; -1 before the first.
    std::int32_t knownPictureCount = -1;
    // While set, previews asked for are left to the one the caller takes at its end.
    bool previewsDeferred = false;
};

} // namespace snapdeck
