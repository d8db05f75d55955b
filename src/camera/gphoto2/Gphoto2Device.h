#pragma once

#include "CameraSettings.h"
#include "CardPictures.h"
#include "Gphoto2Session.h"
#include "LensControl.h"

#include <QCoreApplication>
#include <QList>
#include <chrono>
#include <functional>
#include <optional>

namespace snapdeck::gphoto2 {

class CallSignals;

// Everything the library thread keeps about the camera: the session, which camera to
// (re)open, the card, the settings and the lens. Used only on the library thread.
class Gphoto2Device {
    Q_DECLARE_TR_FUNCTIONS(Gphoto2Device)

public:
    // "port" is the --port option: a camera on that port instead of detected ones.
    Gphoto2Device(QString port, std::function<bool()> cancelled);

    Gphoto2Session session;
    CardPictures pictures;
    CameraSettings settings;
    LensControl lens;

    void initialize();
    int countCameras();
    // The open camera's model; before it is open, that of camera "index".
    QString modelName(int index);
    void openCamera(int index);
    // Ends the session. After the camera had stopped answering, it also checks that
    // it answers again by opening it afresh, and raises 26 when it does not.
    void closeCamera();
    // Before every camera operation: opens the camera chosen by openCamera, afresh
    // after an error 26 or an abandoned call (the session is then marked lost).
    void ensureOpen();

    // The signals of the call now running on the library thread (nullptr between
    // calls): long work gives its signs of life through them.
    void setCallSignals(CallSignals* callSignals) { callSignals_ = callSignals; }

    // Takes a picture and makes the picture it produced the newest on the card. When
    // the camera does not say which file that is, the card is listed before and after
    // the shot; a shot that left no new JPEG, or several, is a clear error, so that an
    // older picture is never taken for it. "limit" caps the wait for the camera.
    void takePicture(CallSignals& callSignals, std::chrono::milliseconds limit);

private:
    // Opens the camera; a USB camera no longer at its port is looked for elsewhere.
    void open(const CameraTarget& target);
    void openAt(const CameraTarget& target);
    void reopen();
    void lifeSign();

    QString port_;
    std::optional<CameraTarget> target_;
    // The driver's model of the camera opened last, to find it again on another port.
    QString openedModel_;
    QList<CameraTarget> detected_;
    CallSignals* callSignals_ = nullptr;
};

} // namespace snapdeck::gphoto2
