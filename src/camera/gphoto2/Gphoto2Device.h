#pragma once

#include "CameraSettings.h"
#include "CardPictures.h"
#include "Gphoto2Session.h"
#include "LensControl.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <optional>

namespace snapdeck::gphoto2 {

// Everything the library thread keeps about the camera: the session, which camera to
// (re)open, the card, the settings, the lens and the last preview. Used only on the
// library thread.
class Gphoto2Device {
public:
    // "port" is the --port option: a camera on that port instead of detected ones.
    Gphoto2Device(QString port, std::function<bool()> cancelled);

    Gphoto2Session session;
    CardPictures pictures;
    CameraSettings settings;
    LensControl lens;

    void initialize();
    int countCameras();
    QString modelName(int index);
    void openCamera(int index);
    // Ends the session. After the camera had stopped answering, it also checks that
    // it answers again by opening it afresh, and raises 26 when it does not.
    void closeCamera();
    // Before every camera operation: opens the camera chosen by openCamera, afresh
    // after an error 26 or an abandoned call (the session is then marked lost).
    void ensureOpen();

    void takePreview();
    void selectPicture(int number);
    std::int64_t selectedSize();
    QByteArray downloadPreview() const { return preview_; }

private:
    void open(const CameraTarget& target);
    void reopen();

    QString port_;
    std::optional<CameraTarget> target_;
    QList<CameraTarget> detected_;
    QByteArray preview_;
    bool previewSelected_ = false;
};

} // namespace snapdeck::gphoto2
