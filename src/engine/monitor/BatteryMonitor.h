#pragma once

#include <QString>
#include <optional>

namespace snapdeck {

class AppError;
class ConnectionMonitor;
class EngineContext;

// Reads the camera's battery level once a second for the frame "Камера". While the
// camera does not answer it checks the connection and asks again, until the user stops
// trying; it then stays quiet, showing no level, until the camera answers.
class BatteryMonitor {
public:
    BatteryMonitor(EngineContext& context, ConnectionMonitor& monitor)
        : context_(context), monitor_(monitor) {}

    void poll();

private:
    void showLevel(int level);
    void reportOnce(const AppError& error);

    struct ShownError {
        int number;
        QString source;
        QString description;
        friend bool operator==(const ShownError&, const ShownError&) = default;
    };

    EngineContext& context_;
    ConnectionMonitor& monitor_;
    bool quiet_ = false;                  // the user stopped waiting for the camera
    std::optional<ShownError> lastError_; // the last error a tick showed
};

} // namespace snapdeck
