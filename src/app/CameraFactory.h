#pragma once

#include "camera/Camera.h"

#include <QString>
#include <memory>
#include <stdexcept>

namespace snapdeck {

struct CameraOptions {
    QString camera; // the value of --camera
    QString port;   // the value of --port, for real cameras (CameraPort.h)
};

// The camera the command line asks for:
//   "simulator"         the simulated camera with its card in memory
//   "simulator:FOLDER"  the simulated camera with its card kept in FOLDER
//   "gphoto2" or ""     a real camera through libgphoto2, on the --port if given; in a
//                       build without libgphoto2, the simulated camera is the default
// A port is checked and written as libgphoto2 takes it (readCameraPort).
// Raises std::invalid_argument for options that cameraOptionsProblem refuses.
std::unique_ptr<Camera> createCamera(const CameraOptions& options);

// Why these options name no camera, or an empty text when they do.
QString cameraOptionsProblem(const CameraOptions& options);

} // namespace snapdeck
