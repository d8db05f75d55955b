#pragma once

#include "camera/CameraSettings.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>

namespace snapdeck {

// How the simulated camera's settings shape a picture of its scene.
struct SceneLook {
    QSize size{640, 480};
    // Exposure relative to what the scene needs, in stops (+1 = twice the light).
    double exposureStops = 0.0;
    WhiteBalance whiteBalance = WhiteBalance::Auto; // automatic is neutral
    double magnification = 1.0;                     // zoom position / 80, around the centre
    // How far the manual focus misses the subject, in focus-scale steps; 0 = sharp.
    int focusError = 0;
    int isoSpeed = 100; // more sensor noise at higher speeds
    QString caption;    // drawn in the lower right corner (when fonts are available)
    QString comment;    // written into the JPEG as a text comment
    quint64 noiseSeed = 1;
    int jpegQuality = 90; // renderSceneJpeg's compression
};

// The camera's scene, a village under a sunny sky, as the camera would record it.
QImage renderScene(const SceneLook& look);

// The scene as the JPEG file the camera stores.
QByteArray renderSceneJpeg(const SceneLook& look);

// The JPEG text key that carries SceneLook::comment.
inline const QString kSceneCommentKey = QStringLiteral("Description");

} // namespace snapdeck
