#include "ConnectionMonitor.h"

#include "CameraStatusFrame.h"
#include "Globals.h"
#include "Services.h"
#include "camera/CameraControl.h"
#include "common/ErrorTrap.h"
#include "common/Messages.h"

#include <QProgressBar>
#include <QScopedValueRollback>
#include <algorithm>

namespace snapdeck {

ConnectionMonitor::ConnectionMonitor(Services& services, Globals& globals, QProgressBar& prgFile,
                                     QProgressBar& progressBat)
    : services_(services), globals_(globals), prgFile_(prgFile), progressBat_(progressBat) {
    services_.camera.setTransferProgressHandler(
        [this](std::int32_t first, std::int32_t second) { Rye1_TransferProgress(first, second); });
    tBat.setObjectName(QStringLiteral("tBat"));
    tBat.setInterval(1000);
    QObject::connect(&tBat, &QTimer::timeout, [this] { tBat_Timer(); });
}

void ConnectionMonitor::tBat_Timer() {
    // A message box keeps Qt's timers running: ticks under this tick's own box, or
    // under a capture's wait for the camera, are skipped, not stacked inside it.
    if (ticking_ || waiting_)
        return;
    const QScopedValueRollback running(ticking_, true);
    CameraControl& camera = services_.camera;
    std::int32_t& cam = globals_.CameraNumber;
    BatteryStatus status;

    if (quiet_) {
        // The user stopped waiting: ask the camera without a word until it answers.
        try {
            camera.GetBatteryStatus(cam, status);
        } catch (const std::exception&) {
            return; // whatever the failure, a timer's handler must not end the program
        }
        quiet_ = false;
        showBatteryLevel(status.batteryLevel);
        return;
    }
    try {
        retryWhileNotAnswering(*this, [&] { camera.GetBatteryStatus(cam, status); });
        lastError_.reset();
        showBatteryLevel(status.batteryLevel);
    } catch (const ConnectionAbandoned&) {
        quiet_ = true;
        showBatteryUnknown();
    } catch (const AppError& error) {
        reportOnce(error);
    } catch (const std::exception& error) {
        reportOnce(AppError(ErrorNumber::FileAccess, kAppErrorSource,
                            QString::fromLocal8Bit(error.what())));
    }
}

// A failure that repeats every second (a port the camera library refuses, a camera
// that always answers with the same error) is shown once, then only in the bar, until
// a good tick or a different error.
void ConnectionMonitor::reportOnce(const AppError& error) {
    const ShownError seen{error.number(), error.source(), error.description()};
    if (lastError_ == seen) {
        progressBat_.setValue(progressBat_.minimum());
        progressBat_.setFormat(QStringLiteral("ошибка %1").arg(error.number()));
        return;
    }
    lastError_ = seen;
    showError(services_.messages, error);
}

void ConnectionMonitor::showBatteryLevel(std::int16_t level) {
    // The bar runs from 0.0001 to 100; a level outside is shown at the nearest end
    // instead of failing on every tick.
    const int shown = std::clamp<int>(level, 0, 100);
    progressBat_.setValue(
        std::max(shown * CameraStatusFrame::kBatteryScale, progressBat_.minimum()));
    progressBat_.setFormat(QString::number(shown) + u'%');
}

void ConnectionMonitor::showBatteryUnknown() {
    progressBat_.setValue(progressBat_.minimum());
    progressBat_.setFormat(QStringLiteral("нет связи"));
}

CheckOutcome ConnectionMonitor::CheckConnection() {
    try {
        services_.camera.CloseCamera(globals_.CameraNumber);
    } catch (const CameraError& error) {
        if (error.cameraNotAnswering())
            return askToKeepTrying() ? CheckOutcome::UserKeepsTrying : CheckOutcome::UserStopped;
    } catch (const AppError&) {
        // Any other failure of the close says nothing about the connection.
    }
    return CheckOutcome::Closed;
}

bool ConnectionMonitor::askToKeepTrying() {
    Message message;
    message.text = QStringLiteral("Камера не подключена!");
    message.buttons = {QStringLiteral("OK"), QStringLiteral("Прекратить попытки")};
    const QScopedValueRollback waiting(waiting_, true);
    return services_.messages.show(message) == 0;
}

void ConnectionMonitor::Rye1_TransferProgress(std::int32_t, std::int32_t second) {
    // A value outside the bar's range is shown at the nearest end.
    const int value =
        std::clamp(second, prgFile_.minimum(), std::max(prgFile_.minimum(), prgFile_.maximum()));
    const bool last = value >= prgFile_.maximum();
    if (last || !progressPainted_.isValid() || progressPainted_.hasExpired(kProgressPaintMs)) {
        prgFile_.setValue(value);
        progressPainted_.start();
        return;
    }
    // Moved without painting: the next chunk painted, or the window's next pass, shows it.
    prgFile_.setUpdatesEnabled(false);
    prgFile_.setValue(value);
    prgFile_.setUpdatesEnabled(true);
}

} // namespace snapdeck
