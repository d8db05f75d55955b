#pragma once

#include <chrono>
#include <gphoto2/gphoto2-result.h>
#include <thread>

namespace snapdeck::gphoto2 {

// Nikon and Canon bodies answer "busy" for a moment after a capture, while they store
// a picture or move the focus. The call is repeated a few times with a short pause;
// all the pauses together stay well inside a call's time limit.
inline constexpr int kBusyAttempts = 4;
inline constexpr std::chrono::milliseconds kBusyPause{200};

// Runs "call" (returning a libgphoto2 result) until the camera is no longer busy or
// the attempts are used up; returns the last result.
template <typename Call> int retryWhileBusy(Call&& call) {
    int result = call();
    for (int attempt = 1; result == GP_ERROR_CAMERA_BUSY && attempt < kBusyAttempts; ++attempt) {
        std::this_thread::sleep_for(kBusyPause);
        result = call();
    }
    return result;
}

} // namespace snapdeck::gphoto2
