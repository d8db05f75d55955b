#pragma once

#include <QGroupBox>

class QLabel;
class QProgressBar;

namespace snapdeck {

class ElidedLabel;
struct EngineState;

// The frame "Камера": the model, the picture counters and the battery bar.
class CameraStatusFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit CameraStatusFrame(QWidget* parent = nullptr);

    void render(const EngineState& state);

    // The battery level runs from 0.0001 to 100; the bar counts it in ten-thousandths.
    static constexpr int kBatteryScale = 10000;

    // Shown for a value the camera has not given yet.
    inline static const QString kNoValue = QStringLiteral("—");

private:
    // Screen readers hear each value with its caption: "Кадров осталось: 400".
    void announceValues();

    QLabel* modelCaption_;
    QLabel* picturesOnCardCaption_;
    QLabel* picturesRemainingCaption_;
    QLabel* batteryCaption_;
    ElidedLabel* modelValue_;
    QLabel* picturesOnCardValue_;
    QLabel* picturesRemainingValue_;
    QProgressBar* batteryBar_;
};

} // namespace snapdeck
