#pragma once

#include "CameraSettings.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace snapdeck {

// Called while a picture is copied from the camera: the bytes copied so far and the
// picture's whole byte count.
using TransferProgress = std::function<void(qint64 done, qint64 total)>;

// What a camera can do, asked rather than assumed: the program offers only what the
// camera has.
struct CameraCapabilities {
    bool preview = true;   // takePreview() gives a picture
    bool liveView = false; // liveFrame() streams what the camera sees
    // The shortest time between two live frames the camera gives; 0 when the camera
    // sets the pace itself by taking that long to answer.
    int liveFrameIntervalMs = 0;
};

// Everything the program asks of a camera. Operations raise CameraError; number 26
// (kCameraNotAnswering) means the camera does not answer. Every call stands alone: no
// camera numbers, no selected picture carried from one call to the next.
class Camera {
public:
    virtual ~Camera() = default;

    // Session. initialize() is false when the camera or its library cannot start.
    virtual bool initialize() = 0;
    virtual int cameraCount() = 0;
    virtual void open(int index) = 0;
    virtual QString modelName() = 0;
    // Ends the session; the next operation opens it afresh. Raises 26 when no camera
    // answers.
    virtual void close() = 0;
    virtual CameraCapabilities capabilities() = 0;

    // Pictures on the card, numbered 1..pictureCount() in the order they were stored,
    // the newest last; remainingCount() is how many more fit.
    virtual int pictureCount() = 0;
    virtual int remainingCount() = 0;
    virtual qint64 pictureSize(int number) = 0;
    // The picture's name on the card, the same for as long as it is there (a folder and
    // a file name, as the camera keeps it).
    virtual QString pictureName(int number) = 0;
    virtual QByteArray downloadPicture(int number, const TransferProgress& progress) = 0;
    virtual void deletePicture(int number) = 0;
    // Returns once the picture is taken; it is then the newest on the card.
    virtual void takePicture() = 0;
    // A small picture of what the camera sees; stores nothing on the card.
    virtual QByteArray takePreview(const TransferProgress& progress) = 0;
    // One frame of live view: a JPEG of what the camera sees now, at the camera's own
    // live-view size; stores nothing anywhere. Returns once the camera has the frame.
    virtual QByteArray liveFrame() = 0;

    // Settings.
    virtual ImageSize imageSize() = 0;
    virtual void setImageSize(ImageSize size) = 0;
    virtual void setWhiteBalance(WhiteBalance balance) = 0;
    virtual void setIsoSpeed(IsoSpeed speed) = 0;
    virtual void setFlashMode(FlashMode mode) = 0;
    virtual void setFocusMode(FocusMode mode) = 0;
    virtual void setMonitorMode(MonitorMode mode) = 0;
    virtual Exposure exposure() = 0;
    virtual void setExposure(const Exposure& exposure) = 0;

    // Lens positions on the sliders' scale: zoom 80..240, focus 1..240.
    virtual int zoom() = 0;
    virtual void setZoom(int position) = 0;
    virtual int focus() = 0;
    virtual void setFocus(int position) = 0;

    virtual int batteryPercent() = 0;
};

} // namespace snapdeck
