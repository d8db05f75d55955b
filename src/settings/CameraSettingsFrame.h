#pragma once

#include <QGroupBox>

class QComboBox;

namespace snapdeck {

// The frame "Настройки камеры": the nine setting lists, each with its caption.
class CameraSettingsFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit CameraSettingsFrame(QWidget* parent = nullptr);

    QComboBox* combReso;
    QComboBox* combExpMode;
    QComboBox* combWB;
    QComboBox* combFlash;
    QComboBox* combShutter;
    QComboBox* combAperture;
    QComboBox* combISO;
    QComboBox* combLCD;
    QComboBox* combFocusMode;
};

} // namespace snapdeck
