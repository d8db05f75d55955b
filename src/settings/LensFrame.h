#pragma once

#include <QGroupBox>
#include <cstdint>

class QLabel;
class QSlider;

namespace snapdeck {

// The frame "Объектив": the zoom and focus sliders with the labels above them.
class LensFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit LensFrame(QWidget* parent = nullptr);

    QLabel* lblZoom;
    QSlider* scrollZoom;
    QLabel* lblFocus;
    QSlider* scrollFocus;
};

// Moves a slider to a position the camera reported. Qt would silently clamp a
// position outside the slider's range; that is an error to report instead.
void setSliderPosition(QSlider& slider, std::int32_t position);

} // namespace snapdeck
