#pragma once

#include <QSize>
#include <QString>

namespace snapdeck {

// The properties of the simulated camera. With a card folder they come from the
// optional file "camera.ini" in that folder, one key=value a line:
//   cameras=0|1|2     cameras found (default 1)
//   initialize=fail   Initialize answers non-zero
//   model=TEXT        the model name, up to 64 characters (longer ones are cut)
//   battery=N         the starting battery level, 0..100
//   capacity=N        pictures that fit on the card at the smallest image size
//   zoom_step=N       the lens's zoom step on the slider scale
//   live_view=WxH|off the size of its live-view frames (default 640x480), or none
// Unknown keys and lines without "=" are ignored; a bad number keeps the default.
struct SimulatedCameraConfig {
    int cameras = 1;
    bool initializeFails = false;
    QString model = QStringLiteral("Snapdeck SimCam 800");
    int battery = 100;
    int capacity = 400;
    int zoomStep = 8;
    // Live-view frames at this size, up to 25 a second; an empty size: no live view.
    QSize liveViewSize{640, 480};

    static SimulatedCameraConfig fromText(const QString& text);
    // Reads FOLDER/camera.ini; the defaults when there is none.
    static SimulatedCameraConfig fromFolder(const QString& folder);
};

} // namespace snapdeck
