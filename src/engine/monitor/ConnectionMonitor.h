#pragma once

#include "camera/CameraError.h"

#include <QCoreApplication>

namespace snapdeck {

class EngineContext;

// Raised when the user gives up waiting for a camera that does not answer; the
// operation in progress ends without a further message.
struct ConnectionAbandoned {};

// What a connection check came to.
enum class CheckOutcome {
    Closed,          // the camera answered the close; nothing was shown
    UserKeepsTrying, // "Камера не подключена!" was shown and the user pressed OK
    UserStopped,     // the user chose to stop trying
};

// The connection check after a camera stops answering: closes the camera so that the
// next operation finds it afresh, and when even that gets no answer, asks the user
// whether to keep trying.
class ConnectionMonitor {
    Q_DECLARE_TR_FUNCTIONS(ConnectionMonitor)

public:
    explicit ConnectionMonitor(EngineContext& context) : context_(context) {}

    CheckOutcome checkConnection();
    // "Камера не подключена!" with a way out; false when the user stops trying.
    bool askToKeepTrying();

private:
    EngineContext& context_;
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
        switch (monitor.checkConnection()) {
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
