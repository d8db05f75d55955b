#include "ConnectionMonitor.h"

#include "camera/Camera.h"
#include "common/Messages.h"
#include "engine/EngineContext.h"

namespace snapdeck {

CheckOutcome ConnectionMonitor::checkConnection() {
    try {
        context_.services.camera.close();
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
    message.text = tr("Камера не подключена!");
    message.buttons.append(tr("Прекратить попытки")); // after "OK"
    const bool keepTrying = context_.services.messages.show(message) == 0;
    if (!keepTrying)
        context_.cameraLost = true;
    return keepTrying;
}

} // namespace snapdeck
