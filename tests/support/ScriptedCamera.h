#pragma once

#include "CameraScript.h"
#include "camera/Camera.h"

#include <functional>

namespace snapdeck::test {

// Wraps any camera (the simulated one, the libgphoto2 backend) for a test: every call
// is logged, and the script can make calls fail or report other values (CameraScript).
// "afterCall" hears each call that went through, with its operation key.
class ScriptedCamera final : public Camera {
public:
    explicit ScriptedCamera(Camera& camera) : camera_(camera) {}

    CameraScript& script() { return script_; }
    const CameraScript& script() const { return script_; }
    std::function<void(const QString& operation)> afterCall;

    bool initialize() override;
    int cameraCount() override;
    void open(int index) override;
    QString modelName() override;
    void close() override;
    CameraCapabilities capabilities() override;

    int pictureCount() override;
    int remainingCount() override;
    qint64 pictureSize(int number) override;
    QString pictureName(int number) override;
    QByteArray downloadPicture(int number, const TransferProgress& progress) override;
    void deletePicture(int number) override;
    void takePicture() override;
    QByteArray takePreview(const TransferProgress& progress) override;
    QByteArray liveFrame() override;

    ImageSize imageSize() override;
    void setImageSize(ImageSize size) override;
    void setWhiteBalance(WhiteBalance balance) override;
    void setIsoSpeed(IsoSpeed speed) override;
    void setFlashMode(FlashMode mode) override;
    void setFocusMode(FocusMode mode) override;
    void setMonitorMode(MonitorMode mode) override;
    Exposure exposure() override;
    void setExposure(const Exposure& exposure) override;

    int zoom() override;
    void setZoom(int position) override;
    int focus() override;
    void setFocus(int position) override;

    int batteryPercent() override;

private:
    // Logs "operation(arguments)" and raises a failure the script has due.
    void enter(const char* operation, const QString& arguments = {});
    void done(const char* operation);
    template <typename Value> Value reported(const char* key, Value own);

    Camera& camera_;
    CameraScript script_;
};

} // namespace snapdeck::test
