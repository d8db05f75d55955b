#pragma once

#include "ElidedLabel.h"

#include <QGroupBox>

class QLabel;
class QProgressBar;

namespace snapdeck {

// The frame "Камера": the model, the picture counters and the battery bar.
class CameraStatusFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit CameraStatusFrame(QWidget* parent = nullptr);

    ElidedLabel* lblModel;
    QLabel* PicCnt;
    QLabel* RemCnt;
    // The battery level runs from 0.0001 to 100; the bar counts it in ten-thousandths.
    QProgressBar* progressBat;
    static constexpr int kBatteryScale = 10000;
};

} // namespace snapdeck
