#pragma once

#include "camera/CameraRecords.h"

#include <QString>
#include <cstdint>

namespace snapdeck::gphoto2 {

class Gphoto2Session;

// The program's settings written to and read from the camera's configuration
// entries. A setting the camera lacks is an error that names the setting; reading a
// value the camera does not have gives a neutral answer, since the program reads
// image size, lens and battery after every capture and every second.
class CameraSettings {
public:
    explicit CameraSettings(Gphoto2Session& session) : session_(session) {}

    // The image-size code of the camera's size; -1 when the camera has none.
    int imageSize();
    void setImageSize(int code);
    void setWhiteBalance(int code);
    void setIso(int code);
    void setFlash(int code);
    void setFocusMode(int code);
    void setMonitorMode(int code);

    ExposureSettings exposure();
    // Writes the exposure mode; aperture and shutter only in manual mode, where they
    // are the user's (the camera chooses them in automatic mode) and only when set.
    void setExposure(const ExposureSettings& exposure);

    // Percent; 100 for a camera that reports no battery (mains powered).
    int batteryLevel();

private:
    Gphoto2Session& session_;
};

} // namespace snapdeck::gphoto2
