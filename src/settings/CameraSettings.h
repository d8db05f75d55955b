#pragma once

#include "camera/CameraRecords.h"

#include <cstdint>

class QComboBox;
class QLabel;

namespace snapdeck {

class CameraSettingsFrame;
class LensFrame;
class Preview;
struct Globals;
struct Services;
struct WindowState;

// Sends each choice of the nine setting lists to the camera, keeps the controls that
// depend on it in step, and reads the exposure back so that the aperture and shutter
// lists show what the camera really uses.
class CameraSettings {
public:
    CameraSettings(Services& services, Globals& globals, WindowState& state,
                   CameraSettingsFrame& lists, LensFrame& lens, QLabel& RemCnt, Preview& preview);

    void combReso_Click();
    void combExpMode_Click();
    void combWB_Click();
    void combFlash_Click();
    void combShutter_Click();
    void combAperture_Click();
    void combISO_Click();
    void combLCD_Click();
    void combFocusMode_Click();

    // The exposure read-back. Runs only while ExposureBusy is set, and clears it once
    // both lists show the camera's values; automatic mode, start-up or a failure leave
    // it set. Raises errors into the calling handler.
    void SyncExposure();

private:
    // The aperture and shutter choices: write one field of the exposure, read it back.
    void chooseExposureField(std::int32_t ExposureSettings::*field, const QComboBox& list);
    void connectLists();

    Services& services_;
    Globals& globals_;
    WindowState& state_;
    CameraSettingsFrame& lists_;
    LensFrame& lens_;
    QLabel& RemCnt_;
    Preview& preview_;
};

} // namespace snapdeck
