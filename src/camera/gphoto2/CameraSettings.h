#pragma once

#include "camera/CameraSettings.h"

#include <optional>

namespace snapdeck::gphoto2 {

class Gphoto2Session;

// The program's settings written to and read from the camera's configuration
// entries. A setting the camera lacks is an error that names the setting; reading a
// value the camera does not have gives a neutral answer, since the program reads
// image size, lens and battery after every capture and every second.
class CameraSettings {
public:
    explicit CameraSettings(Gphoto2Session& session) : session_(session) {}

    // The program's size for the camera's size; nothing when the camera has none.
    std::optional<ImageSize> imageSize();
    void setImageSize(ImageSize size);
    void setWhiteBalance(WhiteBalance balance);
    void setIso(IsoSpeed speed);
    void setFlash(FlashMode mode);
    void setFocusMode(FocusMode mode);
    void setMonitorMode(MonitorMode mode);

    Exposure exposure();
    // Writes the exposure mode; aperture and shutter only in manual mode, where they
    // are the user's (the camera chooses them in automatic mode) and only when set.
    void setExposure(const Exposure& exposure);

    // Percent; 100 for a camera that reports no battery (mains powered).
    int batteryLevel();

private:
    Gphoto2Session& session_;
};

} // namespace snapdeck::gphoto2
