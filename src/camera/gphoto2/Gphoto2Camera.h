#pragma once

#include "camera/Camera.h"

#include <QCoreApplication>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

namespace snapdeck {

namespace gphoto2 {
class Gphoto2Device;
class LibraryThread;
} // namespace gphoto2

struct Gphoto2Options {
    // The --port option as readCameraPort writes it ("usb:001,005",
    // "ptpip:ADDRESS:PORT:PORT"): the camera on that port; empty: the USB cameras
    // libgphoto2 detects.
    QString port;
    // How long a camera call may go without a sign of life before it counts as a
    // camera that does not answer (error 26). A download making progress goes on.
    std::chrono::milliseconds callLimit{10000};
    // A capture waits for the exposure (up to 15 s on the program's shutter list) and
    // for the camera to store the picture.
    std::chrono::milliseconds captureLimit{45000};
    // Loading the drivers and opening a camera the first time.
    std::chrono::milliseconds startLimit{30000};
};

// A real camera through libgphoto2 (USB and PTP/IP cameras). Every library call runs
// on a thread of its own with a time limit, so the program never hangs on a camera
// that stopped answering: such a call raises error 26, and the next operation opens
// the camera afresh.
//
// What the camera lacks: imageSize() gives a size no table entry carries (kNoImageSize)
// when the camera has no size setting or its size names no pixels ("RAW"), so that
// nothing follows it; capabilities() says "no preview" only once the camera has answered a
// preview with "not supported" (libgphoto2 cannot say so before: its drivers do not
// flag every camera that previews); live view goes with it.
class Gphoto2Camera : public Camera {
    Q_DECLARE_TR_FUNCTIONS(Gphoto2Camera)

public:
    explicit Gphoto2Camera(Gphoto2Options options = {});
    ~Gphoto2Camera() override;

    // Raises the error instead of returning false, so that its reason is shown.
    bool initialize() override;
    int cameraCount() override;
    void open(int index) override;
    QString modelName() override;
    void close() override;
    CameraCapabilities capabilities() override;

    int pictureCount() override;
    // -1 when the camera cannot say.
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

    // 100 for a camera that reports no battery (mains powered).
    int batteryPercent() override;

    static constexpr ImageSize kNoImageSize = ImageSize(-1);

private:
    // Runs "job" (Gphoto2Device&, CallSignals&) on the library thread and returns its
    // result; its errors are raised here. "progress" hears the bytes of a download on
    // this thread.
    template <typename Job>
    auto call(Job job, std::chrono::milliseconds limit,
              const std::function<void(std::int64_t)>& progress = {});
    // The same, after making sure the camera is open.
    template <typename Job> auto onCamera(Job job, std::chrono::milliseconds limit);

    Gphoto2Options options_;
    std::shared_ptr<gphoto2::Gphoto2Device> device_;
    std::unique_ptr<gphoto2::LibraryThread> thread_;
    int openedIndex_ = 0;
    bool previewRefused_ = false;
};

} // namespace snapdeck
