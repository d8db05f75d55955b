#pragma once

#include "camera/CameraControl.h"

#include <functional>

namespace snapdeck::soak {

// The station's camera as the window sees it: the simulated camera at the end of a
// cable the soak can watch. Every call goes straight through to the camera; after a
// call that succeeded, "afterCall" hears the operation's name, so that a fault can
// strike at exactly that moment (the camera unplugged right after it took a picture,
// the disk full right after a download), and the soak can note each picture taken.
class StationCamera final : public CameraControl {
public:
    explicit StationCamera(CameraControl& camera);

    std::function<void(const char* operation)> afterCall;

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
    template <typename Call> decltype(auto) pass(const char* operation, Call&& call);

    CameraControl& camera_;
};

} // namespace snapdeck::soak
