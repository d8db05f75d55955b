#include "CameraFactory.h"

#include "SimulatedCamera.h"

namespace snapdeck {

std::unique_ptr<CameraControl> createCamera(const CameraOptions& options, QString* notice) {
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
    if (cameraOption.isEmpty()) {
        if (notice)
            *notice = QStringLiteral(
                "Работа с настоящими камерами пока не поддерживается.\r\n"
                "Запущен симулятор камеры (--camera=simulator).");
        return std::make_unique<SimulatedCamera>();
    }
    throw std::invalid_argument("unknown camera \"" + cameraOption.toStdString() +
                                "\"; use --camera=simulator or --camera=simulator:FOLDER");
}

} // namespace snapdeck
