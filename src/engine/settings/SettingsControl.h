#pragma once

#include "SettingList.h"
#include "camera/CameraSettings.h"

namespace snapdeck {

class EngineContext;
class Preview;

// Sends each choice of the nine setting lists to the camera, keeps the controls that
// depend on it in step, and reads the exposure back so that the aperture and shutter
// lists show what the camera really uses.
class SettingsControl {
public:
    SettingsControl(EngineContext& context, Preview& preview)
        : context_(context), preview_(preview) {}

    // A choice in a list, by the user or by the program: selects the entry and sends it
    // to the camera as that list's rules say. Reports its own errors.
    void choose(SettingList list, int position);

    // Start-up: fills the lists in the camera's order (image size, ISO, white balance,
    // screen, exposure mode, flash, focus mode, aperture, shutter), each choosing its
    // initial entry and so sending it to the camera.
    void fillLists();

    // The exposure read-back. Runs only while the read-back is pending, and clears it
    // once both lists show the camera's values; automatic mode, start-up or a failure
    // leave it pending. Raises errors into the caller.
    void syncExposure();

private:
    void apply(SettingList list);
    void applyImageSize();
    void applyFocusMode();
    void applyExposureMode();
    void applyMonitorMode();
    // The aperture and shutter choices: write one field of the exposure, read it back.
    void applyExposureField(int Exposure::*field, SettingList list);
    int selected(SettingList list) const;

    EngineContext& context_;
    Preview& preview_;
};

} // namespace snapdeck
