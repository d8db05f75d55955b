#pragma once

#include <QCoreApplication>

namespace snapdeck {

class EngineContext;
class Preview;
class SettingsControl;

// Moves the camera's lenses with the zoom and focus sliders: each change sends the
// position, reads back where the lens really stopped, puts the slider there without
// sending that position again, and shows it in the caption above the slider. A zoom
// change also reads the exposure back (the lens's aperture depends on the zoom); both
// end with a new preview.
class LensControl {
    Q_DECLARE_TR_FUNCTIONS(LensControl)

public:
    // The sliders' ranges, on the camera's scale.
    static constexpr int kZoomMinimum = 80;
    static constexpr int kZoomMaximum = 240;
    static constexpr int kFocusMinimum = 1;
    static constexpr int kFocusMaximum = 240;

    LensControl(EngineContext& context, SettingsControl& settings, Preview& preview)
        : context_(context), settings_(settings), preview_(preview) {}

    // The slider moved to "position" (the user let go of it, or the program set it).
    void moveZoom(int position);
    void moveFocus(int position);

    // Puts a slider where the camera says its lens is, as the read-back after a capture
    // does: a position that differs runs that slider's change. Raises AppError for a
    // position the slider cannot take.
    void followCamera(bool zoom, int reported);

private:
    enum class Lens { Zoom, Focus };
    void move(Lens lens, int position);

    EngineContext& context_;
    SettingsControl& settings_;
    Preview& preview_;
};

} // namespace snapdeck
