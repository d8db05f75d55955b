#pragma once

#include "camera/CameraError.h"

#include <QCoreApplication>
#include <QString>

namespace snapdeck::simulated {

// Error numbers of the simulated camera besides 26 (kCameraNotAnswering).
namespace SimulatedError {
constexpr int BadPropertyValue = 380;
constexpr int BadIndex = 381;
constexpr int BatteryEmpty = 1001;
constexpr int CardFull = 1002;
constexpr int NothingSelected = 1003;
constexpr int NoPreview = 1004;
constexpr int CardNumbersUsedUp = 1005;
constexpr int CardFileFailed = 1006;
constexpr int PictureTooLarge = 1007;
} // namespace SimulatedError

inline const QString& kSimulatedSource = kCameraSource;

[[noreturn]] inline void raiseCameraError(int number, const QString& description) {
    throw CameraError(number, kSimulatedSource, description);
}

[[noreturn]] inline void raiseNotAnswering() {
    raiseCameraError(kCameraNotAnswering,
                     QCoreApplication::translate("SimulatedCamera", "Камера не отвечает"));
}

[[noreturn]] inline void raiseBadValue(const QString& property, int value) {
    raiseCameraError(
        SimulatedError::BadPropertyValue,
        QCoreApplication::translate("SimulatedCamera", "Недопустимое значение свойства %1: %2")
            .arg(property, QString::number(value)));
}

} // namespace snapdeck::simulated
