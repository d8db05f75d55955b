#include "LensFrame.h"

#include "Accessibility.h"
#include "WidgetUpdates.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"

#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace snapdeck {

namespace {

QSlider* makeSlider(QWidget* parent, const char* name, int minimum, int maximum, int step) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(minimum, maximum);
    slider->setValue(minimum);
    slider->setSingleStep(step);
    slider->setPageStep(step * 4);
    slider->setFocusPolicy(Qt::StrongFocus);
    // A drag is one change, sent when the thumb is let go: each change moves the lens
    // and takes a preview, far slower than the thumb passes the positions between.
    slider->setTracking(false);
    return slider;
}

// The slider shows the lens where the engine has it, unless the user holds the thumb.
void showPosition(QSlider& slider, const LensState& lens) {
    if (!slider.isSliderDown() && slider.value() != lens.position) {
        const QSignalBlocker quiet(slider);
        slider.setValue(lens.position);
    }
    slider.setEnabled(lens.enabled);
}

// The lens captions change with the lens ("Увеличение - 80/240"): Alt with their first
// letter reaches the slider below.
QString withAltLetter(const QString& caption) {
    return u'&' + QString(caption).replace(u'&', QStringLiteral("&&"));
}

} // namespace

LensFrame::LensFrame(EngineHost& engine, QWidget* parent)
    : QGroupBox(tr("Объектив"), parent), engine_(engine) {
    setObjectName(QStringLiteral("lensFrame"));
    auto* column = new QVBoxLayout(this);
    const EngineState start;

    zoomCaption_ = new QLabel(withAltLetter(start.zoom.caption), this);
    zoomCaption_->setObjectName(QStringLiteral("zoomCaption"));
    // A keyboard step of 8 reaches the next lens position even where the camera snaps
    // the zoom to steps of 8.
    zoomSlider_ =
        makeSlider(this, "zoomSlider", LensControl::kZoomMinimum, LensControl::kZoomMaximum, 8);
    labelControl(zoomCaption_, zoomSlider_, tr("Увеличение"));

    focusCaption_ = new QLabel(withAltLetter(start.focus.caption), this);
    focusCaption_->setObjectName(QStringLiteral("focusCaption"));
    focusSlider_ =
        makeSlider(this, "focusSlider", LensControl::kFocusMinimum, LensControl::kFocusMaximum, 4);
    focusSlider_->setEnabled(start.focus.enabled);
    labelControl(focusCaption_, focusSlider_, tr("Фокусировка"));

    column->addWidget(zoomCaption_);
    column->addWidget(zoomSlider_);
    column->addWidget(focusCaption_);
    column->addWidget(focusSlider_);

    // The ranges are set before these connect, so setting them up is no change.
    connect(zoomSlider_, &QSlider::valueChanged, this, [this](int position) {
        engine_.post([position](Engine& e) { e.moveZoom(position); });
    });
    connect(focusSlider_, &QSlider::valueChanged, this, [this](int position) {
        engine_.post([position](Engine& e) { e.moveFocus(position); });
    });
}

void LensFrame::render(const EngineState& state) {
    showPosition(*zoomSlider_, state.zoom);
    setTextIfChanged(*zoomCaption_, withAltLetter(state.zoom.caption));
    showPosition(*focusSlider_, state.focus);
    setTextIfChanged(*focusCaption_, withAltLetter(state.focus.caption));
}

} // namespace snapdeck
