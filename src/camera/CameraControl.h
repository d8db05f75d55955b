#pragma once

#include "CameraRecords.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

namespace snapdeck {

// Called while a picture or preview is copied from the camera: the first value is
// unused, the second is the bytes copied so far (the picture's byte count at the end).
using TransferProgressHandler = std::function<void(std::int32_t first, std::int32_t second)>;

// Everything the program asks of a camera. Operations raise CameraError; number 26
// means the camera does not answer. Camera numbers passed by reference are handed on
// from one operation to the next, as the callers keep them.
//
// Getters and setters of the same camera property share the property's name: the
// setter takes the new value after the camera number.
class CameraControl {
public:
    virtual ~CameraControl() = default;

    // Session.
    virtual std::int32_t Initialize() = 0; // 0 = ready
    virtual std::int32_t GetCameraCount() = 0;
    virtual QString GetModelName(std::int32_t& index) = 0;
    virtual void OpenCamera(std::int32_t index) = 0;
    virtual void CloseCamera(std::int32_t& cam) = 0;

    // Pictures on the card, numbered 1..count, the newest last; 0 is the preview.
    virtual std::int32_t GetPictureCount(std::int32_t& cam) = 0;
    virtual std::int32_t GetRemainingCount(std::int32_t& cam) = 0;
    virtual void SelectedPicture(std::int32_t& cam, std::int32_t number) = 0;
    virtual std::int32_t GetPictureSize(std::int32_t& cam) = 0; // bytes of the selected picture
    // Fill "buffer", which the caller has made "size" bytes long.
    virtual void DownloadPicture(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) = 0;
    virtual void DownloadPreview(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) = 0;
    virtual void DeletePicture(std::int32_t number) = 0; // 0 = the selected picture
    virtual void TakePreview(std::int32_t cam) = 0;
    virtual void TakePicture(std::int32_t& cam) = 0;

    // Settings, with the codes of the setting lists.
    virtual std::int32_t ImageSize(std::int32_t& cam) = 0;
    virtual void ImageSize(std::int32_t& cam, std::int32_t code) = 0;
    virtual void WhiteBalance(std::int32_t& cam, std::int32_t code) = 0;
    virtual void IsoSpeed(std::int32_t& cam, std::int32_t code) = 0;
    virtual void FlashMode(std::int32_t& cam, std::int32_t code) = 0;
    virtual void FocusMode(std::int32_t& cam, std::int32_t code) = 0;
    virtual void SetMonitorMode(std::int32_t& cam, std::int32_t code) = 0;
    virtual void GetExposure(std::int32_t& cam, ExposureSettings& exposure) = 0;
    virtual void SetExposure(std::int32_t& cam, ExposureSettings& exposure) = 0;

    // Lens positions on the sliders' scale: zoom 80..240, focus 1..240.
    virtual std::int32_t ZoomPosition(std::int32_t& cam) = 0;
    virtual void ZoomPosition(std::int32_t& cam, std::int32_t& position) = 0;
    virtual std::int32_t FocusPosition(std::int32_t& cam) = 0;
    virtual void FocusPosition(std::int32_t& cam, std::int32_t& position) = 0;

    virtual void GetBatteryStatus(std::int32_t& cam, BatteryStatus& status) = 0;

    // The transfer-progress event.
    void setTransferProgressHandler(TransferProgressHandler handler) {
        transferProgress_ = std::move(handler);
    }

protected:
    void reportTransferProgress(std::int32_t bytesDone) {
        if (transferProgress_)
            transferProgress_(0, bytesDone);
    }

private:
    TransferProgressHandler transferProgress_;
};

} // namespace snapdeck
