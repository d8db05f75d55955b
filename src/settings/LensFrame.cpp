#include "LensFrame.h"

#include "app/Accessibility.h"
#include "common/AppError.h"

#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <limits>

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

} // namespace

LensFrame::LensFrame(QWidget* parent) : QGroupBox(QStringLiteral("Объектив"), parent) {
    setObjectName(QStringLiteral("Frame2"));
    auto* column = new QVBoxLayout(this);

    lblZoom = new QLabel(QStringLiteral("Увеличение - 000/000"), this);
    lblZoom->setObjectName(QStringLiteral("lblZoom"));
    // A keyboard step of 8 reaches the next lens position even where the camera
    // snaps the zoom to steps of 8.
    scrollZoom = makeSlider(this, "scrollZoom", 80, 240, 8);
    labelControl(lblZoom, scrollZoom, QStringLiteral("Увеличение"));

    lblFocus = new QLabel(QStringLiteral("Фокусировка - 000/000"), this);
    lblFocus->setObjectName(QStringLiteral("lblFocus"));
    scrollFocus = makeSlider(this, "scrollFocus", 1, 240, 4);
    scrollFocus->setEnabled(false);
    labelControl(lblFocus, scrollFocus, QStringLiteral("Фокусировка"));

    column->addWidget(lblZoom);
    column->addWidget(scrollZoom);
    column->addWidget(lblFocus);
    column->addWidget(scrollFocus);
}

void setSliderPosition(QSlider& slider, std::int32_t position) {
    if (position < std::numeric_limits<std::int16_t>::min() ||
        position > std::numeric_limits<std::int16_t>::max())
        throw AppError(
            ErrorNumber::Overflow, kAppErrorSource,
            QStringLiteral("Переполнение: положение %1 не помещается в ползунок").arg(position));
    if (position < slider.minimum() || position > slider.maximum())
        throw AppError(ErrorNumber::InvalidPropertyValue, kAppErrorSource,
                       QStringLiteral("Недопустимое значение свойства: положение %1 вне "
                                      "диапазона %2..%3 ползунка %4")
                           .arg(position)
                           .arg(slider.minimum())
                           .arg(slider.maximum())
                           .arg(slider.objectName()));
    slider.setValue(position);
}

} // namespace snapdeck
