#include "CameraFactory.h"

#include "Gphoto2Camera.h"
#include "SimulatedCamera.h"

namespace snapdeck {

std::unique_ptr<CameraControl> createCamera(const CameraOptions& options, QString* /*notice*/) {
    const QString& cameraOption = options.camera;
    const QString simulator = QStringLiteral("simulator");
    if (cameraOption == simulator)
        return std::make_unique<SimulatedCamera>();
    if (cameraOption.startsWith(simulator + u':')) {
        const QString folder = cameraOption.mid(simulator.size() + 1);
        if (folder.isEmpty())
            throw std::invalid_argument("--camera=simulator: needs a folder after the colon");
        return SimulatedCamera::withCardFolder(folder);
    }
    if (cameraOption.isEmpty() || cameraOption == QStringLiteral("gphoto2")) {
        Gphoto2Options real;
        real.port = options.port;
        return std::make_unique<Gphoto2Camera>(real);
    }
    throw std::invalid_argument("unknown camera \"" + cameraOption.toStdString() +
                                "\"; use --camera=gphoto2, --camera=simulator or "
                                "--camera=simulator:FOLDER");
}

} // namespace snapdeck
