#include "LensControl.h"

#include "CameraSettings.h"
#include "LensFrame.h"
#include "app/Globals.h"
#include "app/Services.h"
#include "app/WindowState.h"
#include "camera/CameraControl.h"
#include "capture/Preview.h"
#include "common/ErrorTrap.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QSlider>

namespace snapdeck {

LensControl::LensControl(Services& services, Globals& globals, WindowState& state, LensFrame& lens,
                         CameraSettings& settings, Preview& preview)
    : services_(services), globals_(globals), state_(state), lens_(lens), settings_(settings),
      preview_(preview) {
    // The sliders' ranges are set by the frame before this connects, so setting them up
    // never counts as a change.
    QObject::connect(lens_.scrollZoom, &QSlider::valueChanged, lens_.scrollZoom,
                     [this] { scrollZoom_Change(); });
    QObject::connect(lens_.scrollFocus, &QSlider::valueChanged, lens_.scrollFocus,
                     [this] { scrollFocus_Change(); });
}

void LensControl::scrollZoom_Change() {
    if (ZoomBusy)
        return;
    if (runTrapped(services_.messages, [&] {
            moveLens(Lens::Zoom);
            state_.ExposureBusy = true;
            settings_.SyncExposure();
        }))
        preview_.ShowPreview();
}

void LensControl::scrollFocus_Change() {
    if (FocusBusy)
        return;
    if (runTrapped(services_.messages, [&] { moveLens(Lens::Focus); }))
        preview_.ShowPreview();
}

void LensControl::moveLens(Lens lens) {
    const bool zoom = lens == Lens::Zoom;
    QSlider& slider = zoom ? *lens_.scrollZoom : *lens_.scrollFocus;
    QLabel& label = zoom ? *lens_.lblZoom : *lens_.lblFocus;
    bool& busy = zoom ? ZoomBusy : FocusBusy;
    CameraControl& camera = services_.camera;
    std::int32_t& cam = globals_.CameraNumber;

    std::int32_t requested = slider.value();
    std::int32_t reported = 0;
    if (zoom) {
        camera.ZoomPosition(cam, requested);
        reported = camera.ZoomPosition(cam);
    } else {
        camera.FocusPosition(cam, requested);
        reported = camera.FocusPosition(cam);
    }
    if (reported != requested) {
        // Cleared whatever happens, or the slider would ignore every later change.
        const QScopedValueRollback moving(busy, true);
        setSliderPosition(slider, reported);
    }
    label.setText((zoom ? QStringLiteral("Увеличение - ") : QStringLiteral("Фокусировка - ")) +
                  QString::number(slider.value()) + QStringLiteral("/240"));
}

} // namespace snapdeck
