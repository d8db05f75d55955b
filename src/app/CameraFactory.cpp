#include "CameraFactory.h"

#include "camera/CameraPort.h"
#include "camera/simulator/SimulatedCamera.h"

#ifdef SNAPDECK_WITH_GPHOTO2
#include "camera/gphoto2/Gphoto2Camera.h"
#endif

#include <QCoreApplication>

namespace snapdeck {

namespace {

const QString kSimulator = QStringLiteral("simulator");

bool isSimulator(const QString& camera) {
    return camera == kSimulator || camera.startsWith(kSimulator + u':');
}

#ifdef SNAPDECK_WITH_GPHOTO2
constexpr bool kRealCameras = true;
#else
constexpr bool kRealCameras = false;
#endif

} // namespace

QString cameraOptionsProblem(const CameraOptions& options) {
    const QString& camera = options.camera;
    if (camera == kSimulator + u':')
        return QCoreApplication::translate("CameraFactory",
                                           "--camera=simulator: needs a folder after the colon");
    if (isSimulator(camera))
        return options.port.isEmpty()
                   ? QString()
                   : QCoreApplication::translate(
                         "CameraFactory",
                         "--port is for real cameras; the simulated camera has none");
    if (camera == QStringLiteral("gphoto2") && !kRealCameras)
        return QCoreApplication::translate("CameraFactory",
                                           "this build has no real cameras (libgphoto2); use "
                                           "--camera=simulator or --camera=simulator:FOLDER");
    if (camera.isEmpty() || camera == QStringLiteral("gphoto2")) {
        if (!kRealCameras && !options.port.isEmpty())
            return QCoreApplication::translate(
                "CameraFactory", "--port is for real cameras, and this build has none");
        return options.port.isEmpty() ? QString() : readCameraPort(options.port).problem;
    }
    return QCoreApplication::translate(
               "CameraFactory",
               "unknown camera \"%1\"; use --camera=gphoto2, --camera=simulator or "
               "--camera=simulator:FOLDER")
        .arg(camera);
}

std::unique_ptr<Camera> createCamera(const CameraOptions& options) {
    const QString problem = cameraOptionsProblem(options);
    if (!problem.isEmpty())
        throw std::invalid_argument(problem.toStdString());
    if (isSimulator(options.camera) && options.camera != kSimulator)
        return SimulatedCamera::withCardFolder(options.camera.mid(kSimulator.size() + 1));
#ifdef SNAPDECK_WITH_GPHOTO2
    if (!isSimulator(options.camera)) {
        Gphoto2Options real;
        if (!options.port.isEmpty())
            real.port = readCameraPort(options.port).path;
        return std::make_unique<Gphoto2Camera>(real);
    }
#endif
    return std::make_unique<SimulatedCamera>();
}

} // namespace snapdeck
