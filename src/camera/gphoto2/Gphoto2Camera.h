#pragma once

#include "CameraControl.h"

#include <QString>
#include <chrono>
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
// on a thread of its own with a time limit, so the window never hangs on a camera
// that stopped answering: such a call raises error 26, and the next operation opens
// the camera afresh.
class Gphoto2Camera : public CameraControl {
public:
    explicit Gphoto2Camera(Gphoto2Options options = {});
    ~Gphoto2Camera() override;

    std::int32_t Initialize() override;
    std::int32_t GetCameraCount() override;
    QString GetModelName(std::int32_t& index) override;
    void OpenCamera(std::int32_t index) override;
    void CloseCamera(std::int32_t& cam) override;
    std::int32_t GetPictureCount(std::int32_t& cam) override;
    std::int32_t GetRemainingCount(std::int32_t& cam) override;
    void SelectedPicture(std::int32_t& cam, std::int32_t number) override;
    std::int32_t GetPictureSize(std::int32_t& cam) override;
    void DownloadPicture(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) override;
    void DownloadPreview(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) override;
    void DeletePicture(std::int32_t number) override;
    void TakePreview(std::int32_t cam) override;
    void TakePicture(std::int32_t& cam) override;
    std::int32_t ImageSize(std::int32_t& cam) override;
    void ImageSize(std::int32_t& cam, std::int32_t code) override;
    void WhiteBalance(std::int32_t& cam, std::int32_t code) override;
    void IsoSpeed(std::int32_t& cam, std::int32_t code) override;
    void FlashMode(std::int32_t& cam, std::int32_t code) override;
    void FocusMode(std::int32_t& cam, std::int32_t code) override;
    void SetMonitorMode(std::int32_t& cam, std::int32_t code) override;
    void GetExposure(std::int32_t& cam, ExposureSettings& exposure) override;
    void SetExposure(std::int32_t& cam, ExposureSettings& exposure) override;
    std::int32_t ZoomPosition(std::int32_t& cam) override;
    void ZoomPosition(std::int32_t& cam, std::int32_t& position) override;
    std::int32_t FocusPosition(std::int32_t& cam) override;
    void FocusPosition(std::int32_t& cam, std::int32_t& position) override;
    void GetBatteryStatus(std::int32_t& cam, BatteryStatus& status) override;

private:
    // Runs "job" (Gphoto2Device&, CallSignals&) on the library thread and returns its
    // result; its errors are raised here.
    template <typename Job>
    auto call(Job job, std::chrono::milliseconds limit, bool forwardProgress = false);
    // The same, after making sure the camera is open.
    template <typename Job> auto onCamera(Job job, std::chrono::milliseconds limit);

    void fillBuffer(const QByteArray& bytes, std::int32_t& size, QByteArray& buffer);

    Gphoto2Options options_;
    std::shared_ptr<gphoto2::Gphoto2Device> device_;
    std::unique_ptr<gphoto2::LibraryThread> thread_;
};

} // namespace snapdeck
