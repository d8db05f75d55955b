#pragma once

#include "camera/CameraError.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <optional>

class QProgressBar;

namespace snapdeck {

struct Globals;
struct Services;

// Raised when the user gives up waiting for a camera that does not answer; the
// operation in progress ends without a further message.
struct ConnectionAbandoned {};

// What a connection check came to.
enum class CheckOutcome {
    Closed,          // the camera answered the close; nothing was shown
    UserKeepsTrying, // "Камера не подключена!" was shown and the user pressed OK
    UserStopped,     // the user chose to stop trying
};

// Keeps the window in touch with the camera between user actions: the battery level
// once a second, the connection check after a camera stops answering, and the transfer
// bar during copies.
class ConnectionMonitor {
public:
    ConnectionMonitor(Services& services, Globals& globals, QProgressBar& prgFile,
                      QProgressBar& progressBat);

    // The battery tick: reads the level into the battery bar. While the camera does not
    // answer, checks the connection and tries again, until the user stops trying; the
    // monitor then stays quiet, with the bar showing no level, until the camera answers.
    void tBat_Timer();
    bool batteryUnknown() const { return quiet_; }

    // Closes the camera so that the next operation finds it afresh. When even that
    // gets no answer, says "Камера не подключена!" and asks whether to keep trying.
    CheckOutcome CheckConnection();

    // The same question without closing the camera first; false when the user stops.
    bool askToKeepTrying();

    // True while "Камера не подключена!" waits for the user. Timers keep firing under
    // that message box; their work on the camera waits, or the boxes would pile up.
    bool isWaitingForCamera() const { return waiting_; }

    // The camera's transfer-progress event: moves the transfer bar. The bar would paint
    // itself at once on every visible change, and a fast copy reports dozens of chunks
    // within milliseconds: it is painted at once for the last chunk and for a chunk that
    // comes kProgressPaintMs or more after the last paint; the others show with the next
    // painted one.
    void Rye1_TransferProgress(std::int32_t first, std::int32_t second);
    static constexpr qint64 kProgressPaintMs = 40;

    // Started once the window has loaded: the message boxes of loading (no camera, a
    // failed initialisation) keep Qt's timers running, and a tick under them would ask a
    // camera that was never opened.
    QTimer tBat;

private:
    void showBatteryLevel(std::int16_t level);
    void reportOnce(const AppError& error);
    void showBatteryUnknown();

    Services& services_;
    Globals& globals_;
    QProgressBar& prgFile_;
    QProgressBar& progressBat_;
    bool ticking_ = false; // a tick is running, perhaps waiting in a message box
    bool quiet_ = false;   // the user stopped waiting for the camera
    bool waiting_ = false; // "Камера не подключена!" is open
    QElapsedTimer progressPainted_;
    struct ShownError {
        int number;
        QString source;
        QString description;
        friend bool operator==(const ShownError&, const ShownError&) = default;
    };
    std::optional<ShownError> lastError_; // the last error the battery tick showed
};

// Runs a camera step; while it fails because the camera does not answer, checks the
// connection and runs the step again from its beginning. Other errors pass on. Raises
// ConnectionAbandoned when the user stops trying. A camera that keeps failing while
// closing it succeeds would loop without a word and without a way out, so every few
// silent rounds the user is asked too.
template <typename Step> auto retryWhileNotAnswering(ConnectionMonitor& monitor, Step&& step) {
    constexpr int kSilentRoundsBeforeAsking = 3;
    int silentRounds = 0;
    for (;;) {
        try {
            return step();
        } catch (const CameraError& error) {
            if (!error.cameraNotAnswering())
                throw;
        }
        switch (monitor.CheckConnection()) {
        case CheckOutcome::UserStopped:
            throw ConnectionAbandoned{};
        case CheckOutcome::UserKeepsTrying:
            silentRounds = 0;
            break;
        case CheckOutcome::Closed:
            if (++silentRounds >= kSilentRoundsBeforeAsking) {
                if (!monitor.askToKeepTrying())
                    throw ConnectionAbandoned{};
                silentRounds = 0;
            }
            break;
        }
    }
}

} // namespace snapdeck
