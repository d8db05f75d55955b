#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QProgressBar;

namespace snapdeck {

class EngineHost;
struct EngineState;

// The frame "Настройки захвата": how a capture treats its picture, with the capture's
// status line and transfer bar below the boxes.
class CaptureOptionsFrame : public QGroupBox {
    Q_OBJECT
public:
    CaptureOptionsFrame(EngineHost& engine, QWidget* parent = nullptr);

    void render(const EngineState& state);

private:
    EngineHost& engine_;
    QCheckBox* bufferModeBox_;
    QCheckBox* keepOnCardBox_;
    QCheckBox* overwriteBox_;
    QLabel* captureStatusLine_;
    QProgressBar* transferBar_;
};

} // namespace snapdeck
