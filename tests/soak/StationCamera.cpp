#include "StationCamera.h"

#include <type_traits>

namespace snapdeck::soak {

StationCamera::StationCamera(CameraControl& camera) : camera_(camera) {
    // The camera's transfer progress reaches whoever listens to this cable.
    camera_.setTransferProgressHandler(
        [this](std::int32_t, std::int32_t done) { reportTransferProgress(done); });
}

// A call that raises passes the error on and is not announced.
template <typename Call> decltype(auto) StationCamera::pass(const char* operation, Call&& call) {
    if constexpr (std::is_void_v<std::invoke_result_t<Call>>) {
        call();
        if (afterCall)
            afterCall(operation);
    } else {
        auto result = call();
        if (afterCall)
            afterCall(operation);
        return result;
    }
}

std::int32_t StationCamera::Initialize() {
    return pass("Initialize", [&] { return camera_.Initialize(); });
}

std::int32_t StationCamera::GetCameraCount() {
    return pass("GetCameraCount", [&] { return camera_.GetCameraCount(); });
}

QString StationCamera::GetModelName(std::int32_t& index) {
    return pass("GetModelName", [&] { return camera_.GetModelName(index); });
}

void StationCamera::OpenCamera(std::int32_t index) {
    pass("OpenCamera", [&] { camera_.OpenCamera(index); });
}

void StationCamera::CloseCamera(std::int32_t& cam) {
    pass("CloseCamera", [&] { camera_.CloseCamera(cam); });
}

std::int32_t StationCamera::GetPictureCount(std::int32_t& cam) {
    return pass("GetPictureCount", [&] { return camera_.GetPictureCount(cam); });
}

std::int32_t StationCamera::GetRemainingCount(std::int32_t& cam) {
    return pass("GetRemainingCount", [&] { return camera_.GetRemainingCount(cam); });
}

void StationCamera::SelectedPicture(std::int32_t& cam, std::int32_t number) {
    pass("SelectedPicture", [&] { camera_.SelectedPicture(cam, number); });
}

std::int32_t StationCamera::GetPictureSize(std::int32_t& cam) {
    return pass("GetPictureSize", [&] { return camera_.GetPictureSize(cam); });
}

void StationCamera::DownloadPicture(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) {
    pass("DownloadPicture", [&] { camera_.DownloadPicture(cam, size, buffer); });
}

void StationCamera::DownloadPreview(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) {
    pass("DownloadPreview", [&] { camera_.DownloadPreview(cam, size, buffer); });
}

void StationCamera::DeletePicture(std::int32_t number) {
    pass("DeletePicture", [&] { camera_.DeletePicture(number); });
}

void StationCamera::TakePreview(std::int32_t cam) {
    pass("TakePreview", [&] { camera_.TakePreview(cam); });
}

void StationCamera::TakePicture(std::int32_t& cam) {
    pass("TakePicture", [&] { camera_.TakePicture(cam); });
}

std::int32_t StationCamera::ImageSize(std::int32_t& cam) {
    return pass("ImageSize", [&] { return camera_.ImageSize(cam); });
}

void StationCamera::ImageSize(std::int32_t& cam, std::int32_t code) {
    pass("ImageSize=", [&] { camera_.ImageSize(cam, code); });
}

void StationCamera::WhiteBalance(std::int32_t& cam, std::int32_t code) {
    pass("WhiteBalance=", [&] { camera_.WhiteBalance(cam, code); });
}

void StationCamera::IsoSpeed(std::int32_t& cam, std::int32_t code) {
    pass("IsoSpeed=", [&] { camera_.IsoSpeed(cam, code); });
}

void StationCamera::FlashMode(std::int32_t& cam, std::int32_t code) {
    pass("FlashMode=", [&] { camera_.FlashMode(cam, code); });
}

void StationCamera::FocusMode(std::int32_t& cam, std::int32_t code) {
    pass("FocusMode=", [&] { camera_.FocusMode(cam, code); });
}

void StationCamera::SetMonitorMode(std::int32_t& cam, std::int32_t code) {
    pass("SetMonitorMode", [&] { camera_.SetMonitorMode(cam, code); });
}

void StationCamera::GetExposure(std::int32_t& cam, ExposureSettings& exposure) {
    pass("GetExposure", [&] { camera_.GetExposure(cam, exposure); });
}

void StationCamera::SetExposure(std::int32_t& cam, ExposureSettings& exposure) {
    pass("SetExposure", [&] { camera_.SetExposure(cam, exposure); });
}

std::int32_t StationCamera::ZoomPosition(std::int32_t& cam) {
    return pass("ZoomPosition", [&] { return camera_.ZoomPosition(cam); });
}

void StationCamera::ZoomPosition(std::int32_t& cam, std::int32_t& position) {
    pass("ZoomPosition=", [&] { camera_.ZoomPosition(cam, position); });
}

std::int32_t StationCamera::FocusPosition(std::int32_t& cam) {
    return pass("FocusPosition", [&] { return camera_.FocusPosition(cam); });
}

void StationCamera::FocusPosition(std::int32_t& cam, std::int32_t& position) {
    pass("FocusPosition=", [&] { camera_.FocusPosition(cam, position); });
}

void StationCamera::GetBatteryStatus(std::int32_t& cam, BatteryStatus& status) {
    pass("GetBatteryStatus", [&] { camera_.GetBatteryStatus(cam, status); });
}

} // namespace snapdeck::soak
