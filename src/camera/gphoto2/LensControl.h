#pragma once

#include "LensScale.h"

namespace snapdeck::gphoto2 {

class CallSignals;
class Gphoto2Session;

// Zoom and focus on the sliders' scales, mapped linearly onto the camera's own ranges
// (focal length, focus distance). A camera with only a relative focus drive is moved
// by the difference to our own count of its position.
class LensControl {
public:
    explicit LensControl(Gphoto2Session& session) : session_(session) {}

    // The wide end for a camera without zoom: a fixed lens is where it always is.
    int zoom();
    void setZoom(int position);
    // Our own count for a camera that cannot report its focus.
    int focus();
    void setFocus(int position, CallSignals& callSignals);

private:
    Gphoto2Session& session_;
    FocusCounter counter_;
};

} // namespace snapdeck::gphoto2
