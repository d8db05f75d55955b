#pragma once

#include <cstdint>

class QLabel;
class QSlider;

namespace snapdeck {

class CameraSettings;
class LensFrame;
class Preview;
struct Globals;
struct Services;
struct WindowState;

// Moves the camera's lenses with the zoom and focus sliders: each change sends the
// position, reads back where the lens really stopped, puts the slider there without
// sending that position again, and shows it in the label above the slider. A zoom
// change also reads the exposure back (the lens's aperture depends on the zoom); both
// end with a new preview.
class LensControl {
public:
    LensControl(Services& services, Globals& globals, WindowState& state, LensFrame& lens,
                CameraSettings& settings, Preview& preview);

    void scrollZoom_Change();
    void scrollFocus_Change();

    bool zoomBusy() const { return ZoomBusy; }
    bool focusBusy() const { return FocusBusy; }

private:
    enum class Lens { Zoom, Focus };
    // Sends the slider's position, follows the camera's answer, updates the label.
    void moveLens(Lens lens);

    Services& services_;
    Globals& globals_;
    WindowState& state_;
    LensFrame& lens_;
    CameraSettings& settings_;
    Preview& preview_;
    // True only while the handler moves its own slider to the position the camera
    // reported, so that the move is not sent back to the camera.
    bool ZoomBusy = false;
    bool FocusBusy = false;
};

} // namespace snapdeck
