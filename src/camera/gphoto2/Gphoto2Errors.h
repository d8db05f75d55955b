#pragma once

#include "camera/CameraError.h"

#include <QString>

namespace snapdeck::gphoto2 {

// Error numbers of the real-camera backend besides 26 (kCameraNotAnswering).
namespace Gphoto2Error {
constexpr int BadValue = 380;                // a code or position the camera cannot take
constexpr int BadIndex = 381;                // no camera or picture with that number
constexpr int NotSupported = kCameraLacksIt; // the camera lacks the setting or the operation
constexpr int CameraRefused = 1010;          // the camera answered but did not do it
constexpr int LibraryFailed = 1011;          // libgphoto2 itself failed (drivers, ports, memory)
} // namespace Gphoto2Error

inline const QString& kGphoto2Source = kCameraSource;

[[noreturn]] void raiseError(int number, const QString& description);
[[noreturn]] void raiseNotAnswering(const QString& description);
// The camera has no control for the setting shown to the user as "settingName".
[[noreturn]] void raiseLacksSetting(const QString& settingName);

// True for libgphoto2 results that mean the camera is gone or not answering.
bool meansNotAnswering(int result);

// Turns a failed libgphoto2 call into the program's error: 26 for a camera that does
// not answer, otherwise a number of the list above. "action" says in Russian what the
// program was doing; "libraryText" is the library's own explanation, if it gave one.
CameraError libraryError(int result, const QString& action, const QString& libraryText);

} // namespace snapdeck::gphoto2
