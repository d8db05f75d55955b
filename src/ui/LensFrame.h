#pragma once

#include <QGroupBox>

class QLabel;
class QSlider;

namespace snapdeck {

class EngineHost;
struct EngineState;

// The frame "Объектив": the zoom and focus sliders with the captions above them. A
// slider let go moves the lens; the sliders show where the engine says the lens is.
class LensFrame : public QGroupBox {
    Q_OBJECT
public:
    LensFrame(EngineHost& engine, QWidget* parent = nullptr);

    void render(const EngineState& state);

private:
    EngineHost& engine_;
    QLabel* zoomCaption_;
    QSlider* zoomSlider_;
    QLabel* focusCaption_;
    QSlider* focusSlider_;
};

} // namespace snapdeck
