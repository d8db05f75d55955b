#include "CameraFactory.h"

#include "CameraPort.h"
#include "Gphoto2Camera.h"
#include "SimulatedCamera.h"

namespace snapdeck {

namespace {

const QString kSimulator = QStringLiteral("simulator");

bool isSimulator(const QString& camera) {
    return camera == kSimulator || camera.startsWith(kSimulator + u':');
}

} // namespace

QString cameraOptionsProblem(const CameraOptions& options) {
    const QString& camera = options.camera;
    if (camera == kSimulator + u':')
        return QStringLiteral("--camera=simulator: needs a folder after the colon");
    if (isSimulator(camera))
        return options.port.isEmpty()
                   ? QString()
                   : QStringLiteral("--port is for real cameras; the simulated camera has none");
    if (camera.isEmpty() || camera == QStringLiteral("gphoto2"))
        return options.port.isEmpty() ? QString() : readCameraPort(options.port).problem;
    return QStringLiteral("unknown camera \"%1\"; use --camera=gphoto2, --camera=simulator or "
                          "--camera=simulator:FOLDER")
        .arg(camera);
}

std::unique_ptr<CameraControl> createCamera(const CameraOptions& options) {
    const QString problem = cameraOptionsProblem(options);
    if (!problem.isEmpty())
        throw std::invalid_argument(problem.toStdString());
    if (options.camera == kSimulator)
        return std::make_unique<SimulatedCamera>();
    if (isSimulator(options.camera))
        return SimulatedCamera::withCardFolder(options.camera.mid(kSimulator.size() + 1));
    Gphoto2Options real;
    if (!options.port.isEmpty())
        real.port = readCameraPort(options.port).path;
    return std::make_unique<Gphoto2Camera>(real);
}

} // namespace snapdeck
