#include "ConnectionMonitor.h"

#include "Globals.h"
#include "Services.h"
#include "camera/CameraControl.h"
#include "common/Messages.h"

#include <QProgressBar>
#include <algorithm>

namespace snapdeck {

ConnectionMonitor::ConnectionMonitor(Services& services, Globals& globals, QProgressBar& prgFile)
    : services_(services), globals_(globals), prgFile_(prgFile) {
    services_.camera.setTransferProgressHandler(
        [this](std::int32_t first, std::int32_t second) { Rye1_TransferProgress(first, second); });
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
    return services_.messages.show(message) == 0;
}

void ConnectionMonitor::Rye1_TransferProgress(std::int32_t, std::int32_t second) {
    // A value outside the bar's range is shown at the nearest end.
    prgFile_.setValue(std::clamp(second, prgFile_.minimum(), std::max(prgFile_.minimum(),
                                                                      prgFile_.maximum())));
}

} // namespace snapdeck
