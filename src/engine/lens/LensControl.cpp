#include "LensControl.h"

#include "camera/Camera.h"
#include "common/ErrorTrap.h"
#include "engine/EngineContext.h"
#include "engine/capture/Preview.h"
#include "engine/settings/SettingsControl.h"

#include <limits>

namespace snapdeck {

namespace {

// A position the camera reported, checked as the slider would take it: Qt would clamp
// a position outside the slider's range silently, and that is an error to report.
void checkSliderPosition(int position, int minimum, int maximum, const char* slider) {
    if (position < std::numeric_limits<std::int16_t>::min() ||
        position > std::numeric_limits<std::int16_t>::max())
        throw AppError(
            ErrorNumber::Overflow, kAppErrorSource,
            LensControl::tr("Переполнение: положение %1 не помещается в ползунок").arg(position));
    if (position < minimum || position > maximum)
        throw AppError(ErrorNumber::InvalidPropertyValue, kAppErrorSource,
                       LensControl::tr("Недопустимое значение свойства: положение %1 вне "
                                       "диапазона %2..%3 ползунка %4")
                           .arg(QString::number(position), QString::number(minimum),
                                QString::number(maximum), QLatin1String(slider)));
}

QString captionOf(bool zoom, int position) {
    const QString shown = QString::number(position) + QStringLiteral("/240");
    return zoom ? zoomCaption(shown) : focusCaption(shown);
}

} // namespace

void LensControl::moveZoom(int position) {
    if (runTrapped(context_.services.messages, [&] {
            move(Lens::Zoom, position);
            context_.exposureBusy = true;
            settings_.syncExposure();
        }))
        preview_.take();
}

void LensControl::moveFocus(int position) {
    if (runTrapped(context_.services.messages, [&] { move(Lens::Focus, position); }))
        preview_.take();
}

void LensControl::move(Lens lens, int requested) {
    const bool zoom = lens == Lens::Zoom;
    LensState& slider = zoom ? context_.state.zoom : context_.state.focus;
    Camera& camera = context_.services.camera;
    slider.position = requested;
    context_.publish();

    int reported = 0;
    if (zoom) {
        camera.setZoom(requested);
        reported = camera.zoom();
    } else {
        camera.setFocus(requested);
        reported = camera.focus();
    }
    if (reported != requested) {
        // The slider follows the lens without sending the position back to the camera.
        if (zoom)
            checkSliderPosition(reported, kZoomMinimum, kZoomMaximum, "scrollZoom");
        else
            checkSliderPosition(reported, kFocusMinimum, kFocusMaximum, "scrollFocus");
        slider.position = reported;
    }
    slider.caption = captionOf(zoom, slider.position);
    context_.publish();
}

void LensControl::followCamera(bool zoom, int reported) {
    LensState& slider = zoom ? context_.state.zoom : context_.state.focus;
    if (zoom)
        checkSliderPosition(reported, kZoomMinimum, kZoomMaximum, "scrollZoom");
    else
        checkSliderPosition(reported, kFocusMinimum, kFocusMaximum, "scrollFocus");
    if (reported == slider.position)
        return;
    if (zoom)
        moveZoom(reported);
    else
        moveFocus(reported);
}

} // namespace snapdeck
