#pragma once

#include "common/AppError.h"

namespace snapdeck {

// Error number of a camera that does not answer (unplugged, switched off, asleep).
constexpr int kCameraNotAnswering = 26;

// An error raised by a camera operation.
class CameraError : public AppError {
public:
    using AppError::AppError;

    bool cameraNotAnswering() const { return number() == kCameraNotAnswering; }
};

} // namespace snapdeck
