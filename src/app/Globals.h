#pragma once

#include "ftp/FtpSettings.h"

#include <cstdint>

namespace snapdeck {

// State that lives for the whole run, from before the main window exists.
struct Globals {
    // The camera number handed to camera operations; 0 once the camera is open.
    std::int32_t CameraNumber = 0;
    FtpSettings ftp;
};

} // namespace snapdeck
