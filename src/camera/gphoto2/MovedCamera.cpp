#include "MovedCamera.h"

namespace snapdeck::gphoto2 {

namespace {

bool isUsbPort(const QString& port) {
    return port.startsWith(QLatin1String("usb:"));
}

} // namespace

std::optional<CameraTarget> movedCamera(const CameraTarget& lost, const QString& model,
                                        const QList<CameraTarget>& detected) {
    if (!isUsbPort(lost.port) || model.isEmpty())
        return std::nullopt;
    std::optional<CameraTarget> found;
    for (const CameraTarget& camera : detected) {
        if (!isUsbPort(camera.port) || camera.port == lost.port || camera.model != model)
            continue;
        if (found)
            return std::nullopt;
        found = camera;
    }
    return found;
}

} // namespace snapdeck::gphoto2
