#include "BatteryMonitor.h"

#include "ConnectionMonitor.h"
#include "camera/Camera.h"
#include "common/Messages.h"
#include "engine/EngineContext.h"

#include <algorithm>

namespace snapdeck {

void BatteryMonitor::poll() {
    Camera& camera = context_.services.camera;
    if (quiet_) {
        // The user stopped waiting: ask the camera without a word until it answers.
        try {
            const int level = camera.batteryPercent();
            quiet_ = false;
            showLevel(level);
        } catch (const std::exception&) {
        }
        return;
    }
    try {
        const int level = retryWhileNotAnswering(monitor_, [&] { return camera.batteryPercent(); });
        lastError_.reset();
        showLevel(level);
    } catch (const ConnectionAbandoned&) {
        quiet_ = true;
        context_.state.battery = {BatteryState::Shown::NoConnection, 0, 0};
        context_.publish();
    } catch (const AppError& error) {
        reportOnce(error);
    } catch (const std::exception& error) {
        reportOnce(AppError(ErrorNumber::FileAccess, kAppErrorSource,
                            QString::fromLocal8Bit(error.what())));
    }
}

// A level outside 0..100 is shown at the nearest end instead of failing every second.
void BatteryMonitor::showLevel(int level) {
    context_.state.battery = {BatteryState::Shown::Level, std::clamp(level, 0, 100), 0};
    context_.publish();
}

// A failure that repeats every second (a port the camera library refuses, a camera
// that always answers with the same error) is shown once, then only in the battery
// line, until a good tick or a different error.
void BatteryMonitor::reportOnce(const AppError& error) {
    const ShownError seen{error.number(), error.source(), error.description()};
    if (lastError_ == seen) {
        context_.state.battery = {BatteryState::Shown::Error, 0, error.number()};
        context_.publish();
        return;
    }
    lastError_ = seen;
    showError(context_.services.messages, error);
}

} // namespace snapdeck
