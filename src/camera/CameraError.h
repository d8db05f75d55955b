#pragma once

#include "common/AppError.h"

#include <QCoreApplication>

namespace snapdeck {

// Error number of a camera that does not answer (unplugged, switched off, asleep).
constexpr int kCameraNotAnswering = 26;
// Error number of a camera that lacks the setting or the operation asked of it.
constexpr int kCameraLacksIt = 438;

// What to do about a full memory card, for any camera that says its card is full.
inline QString cardFullAdvice() {
    return QCoreApplication::translate(
        "CameraError",
        "Освободите место на карте: удалите с нее снимки или снимите \"Сохранять на флэшке "
        "камеры\", чтобы снимки уходили с карты, как только сохранены на диске.");
}

// An error raised by a camera operation.
class CameraError : public AppError {
public:
    using AppError::AppError;

    bool cameraNotAnswering() const { return number() == kCameraNotAnswering; }
    bool cameraLacksIt() const { return number() == kCameraLacksIt; }
};

} // namespace snapdeck
