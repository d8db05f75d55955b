#include "Gphoto2Camera.h"

#include "gphoto2/CameraCapture.h"
#include "gphoto2/Gphoto2Device.h"
#include "gphoto2/Gphoto2Errors.h"
#include "gphoto2/LibraryHome.h"
#include "gphoto2/LibraryThread.h"

#include <climits>
#include <exception>
#include <optional>
#include <type_traits>

namespace snapdeck {

using gphoto2::CallSignals;
using gphoto2::Gphoto2Device;

namespace {

template <typename R> struct CallResult {
    std::optional<R> value;
    std::exception_ptr error;
};
template <> struct CallResult<void> { std::exception_ptr error; };

std::int32_t toInt32(std::int64_t value, const QString& what) {
    if (value < INT32_MIN || value > INT32_MAX)
        gphoto2::raiseError(gphoto2::Gphoto2Error::BadValue,
                            QStringLiteral("%1 слишком велик: %2").arg(what).arg(value));
    return std::int32_t(value);
}

// The environment is changed only here, before the library thread exists: changing it
// while another thread reads it is a race.
Gphoto2Options withLibraryHome(Gphoto2Options options) {
    gphoto2::ensureHomeForLibrary();
    return options;
}

} // namespace

Gphoto2Camera::Gphoto2Camera(Gphoto2Options options)
    : options_(withLibraryHome(std::move(options))), thread_(std::make_unique<gphoto2::LibraryThread>()) {
    device_ = std::make_shared<Gphoto2Device>(options_.port, thread_->abandonedCheck());
}

template <typename Job>
auto Gphoto2Camera::call(Job job, std::chrono::milliseconds limit, bool forwardProgress) {
    using Result = std::invoke_result_t<Job&, Gphoto2Device&, CallSignals&>;
    auto result = std::make_shared<CallResult<Result>>();
    // The job keeps the device alive: an abandoned call may outlive this object.
    auto device = device_;
    auto run = [device, result, job](CallSignals& callSignals) mutable {
        device->setCallSignals(&callSignals);
        try {
            if (callSignals.takeEarlierAbandon())
                device->session.markLost();
            if constexpr (std::is_void_v<Result>)
                job(*device, callSignals);
            else
                result->value = job(*device, callSignals);
        } catch (...) {
            result->error = std::current_exception();
        }
        device->setCallSignals(nullptr);
    };
    gphoto2::LibraryThread::Progress progress;
    if (forwardProgress)
        progress = [this](std::int64_t bytes) {
            reportTransferProgress(std::int32_t(std::min<std::int64_t>(bytes, INT32_MAX)));
        };
    thread_->run(std::move(run), limit, progress);
    if (result->error)
        std::rethrow_exception(result->error);
    if constexpr (!std::is_void_v<Result>)
        return std::move(*result->value);
}

template <typename Job> auto Gphoto2Camera::onCamera(Job job, std::chrono::milliseconds limit) {
    return call(
        [job](Gphoto2Device& device, CallSignals& callSignals) mutable {
            device.ensureOpen();
            return job(device, callSignals);
        },
        limit);
}

Gphoto2Camera::~Gphoto2Camera() {
    try {
        call([](Gphoto2Device& device, CallSignals&) { device.session.close(); },
             options_.callLimit);
    } catch (const std::exception&) {
        // A camera that does not answer is left behind with its thread.
    }
}

std::int32_t Gphoto2Camera::Initialize() {
    call([](Gphoto2Device& device, CallSignals&) { device.initialize(); }, options_.startLimit);
    return 0;
}

std::int32_t Gphoto2Camera::GetCameraCount() {
    return call([](Gphoto2Device& device, CallSignals&) { return device.countCameras(); },
                options_.startLimit);
}

QString Gphoto2Camera::GetModelName(std::int32_t& index) {
    const int which = index;
    return call([which](Gphoto2Device& device, CallSignals&) { return device.modelName(which); },
                options_.callLimit);
}

void Gphoto2Camera::OpenCamera(std::int32_t index) {
    call([index](Gphoto2Device& device, CallSignals&) { device.openCamera(index); },
         options_.startLimit);
}

void Gphoto2Camera::CloseCamera(std::int32_t&) {
    call([](Gphoto2Device& device, CallSignals&) { device.closeCamera(); }, options_.callLimit);
}

std::int32_t Gphoto2Camera::GetPictureCount(std::int32_t&) {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.pictures.count(); },
                    options_.callLimit);
}

std::int32_t Gphoto2Camera::GetRemainingCount(std::int32_t&) {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.pictures.remaining(); },
                    options_.callLimit);
}

void Gphoto2Camera::SelectedPicture(std::int32_t&, std::int32_t number) {
    onCamera([number](Gphoto2Device& device, CallSignals&) { device.selectPicture(number); },
             options_.callLimit);
}

std::int32_t Gphoto2Camera::GetPictureSize(std::int32_t&) {
    const std::int64_t size =
        onCamera([](Gphoto2Device& device, CallSignals&) { return device.selectedSize(); },
                 options_.callLimit);
    return toInt32(size, QStringLiteral("Снимок"));
}

void Gphoto2Camera::fillBuffer(const QByteArray& bytes, std::int32_t& size, QByteArray& buffer) {
    buffer = bytes;
    size = toInt32(bytes.size(), QStringLiteral("Снимок"));
}

void Gphoto2Camera::DownloadPicture(std::int32_t&, std::int32_t& size, QByteArray& buffer) {
    const QByteArray bytes = call(
        [](Gphoto2Device& device, CallSignals& callSignals) {
            device.ensureOpen();
            return device.pictures.downloadSelected(
                [&callSignals](std::int64_t bytesSoFar) { callSignals.alive(bytesSoFar); });
        },
        options_.callLimit, true);
    fillBuffer(bytes, size, buffer);
}

void Gphoto2Camera::DownloadPreview(std::int32_t&, std::int32_t& size, QByteArray& buffer) {
    const QByteArray bytes =
        call([](Gphoto2Device& device, CallSignals&) { return device.downloadPreview(); },
             options_.callLimit);
    fillBuffer(bytes, size, buffer);
    // The preview was copied by TakePreview; the bar still shows it arriving whole.
    reportTransferProgress(size);
}

void Gphoto2Camera::DeletePicture(std::int32_t number) {
    onCamera([number](Gphoto2Device& device, CallSignals&) { device.pictures.remove(number); },
             options_.callLimit);
}

void Gphoto2Camera::TakePreview(std::int32_t) {
    onCamera([](Gphoto2Device& device, CallSignals&) { device.takePreview(); }, options_.callLimit);
}

void Gphoto2Camera::TakePicture(std::int32_t&) {
    const auto limit = options_.captureLimit;
    onCamera([limit](Gphoto2Device& device,
                     CallSignals& callSignals) { device.takePicture(callSignals, limit); },
             limit);
}

std::int32_t Gphoto2Camera::ImageSize(std::int32_t&) {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.settings.imageSize(); },
                    options_.callLimit);
}

void Gphoto2Camera::ImageSize(std::int32_t&, std::int32_t code) {
    onCamera([code](Gphoto2Device& device, CallSignals&) { device.settings.setImageSize(code); },
             options_.callLimit);
}

void Gphoto2Camera::WhiteBalance(std::int32_t&, std::int32_t code) {
    onCamera([code](Gphoto2Device& device, CallSignals&) { device.settings.setWhiteBalance(code); },
             options_.callLimit);
}

void Gphoto2Camera::IsoSpeed(std::int32_t&, std::int32_t code) {
    onCamera([code](Gphoto2Device& device, CallSignals&) { device.settings.setIso(code); },
             options_.callLimit);
}

void Gphoto2Camera::FlashMode(std::int32_t&, std::int32_t code) {
    onCamera([code](Gphoto2Device& device, CallSignals&) { device.settings.setFlash(code); },
             options_.callLimit);
}

void Gphoto2Camera::FocusMode(std::int32_t&, std::int32_t code) {
    onCamera([code](Gphoto2Device& device, CallSignals&) { device.settings.setFocusMode(code); },
             options_.callLimit);
}

void Gphoto2Camera::SetMonitorMode(std::int32_t&, std::int32_t code) {
    onCamera([code](Gphoto2Device& device, CallSignals&) { device.settings.setMonitorMode(code); },
             options_.callLimit);
}

void Gphoto2Camera::GetExposure(std::int32_t&, ExposureSettings& exposure) {
    const ExposureSettings read =
        onCamera([](Gphoto2Device& device, CallSignals&) { return device.settings.exposure(); },
                 options_.callLimit);
    // The two fields the camera owns travel back unchanged.
    exposure.mode = read.mode;
    exposure.aperture = read.aperture;
    exposure.shutter = read.shutter;
}

void Gphoto2Camera::SetExposure(std::int32_t&, ExposureSettings& exposure) {
    const ExposureSettings wanted = exposure;
    onCamera([wanted](Gphoto2Device& device, CallSignals&) { device.settings.setExposure(wanted); },
             options_.callLimit);
}

std::int32_t Gphoto2Camera::ZoomPosition(std::int32_t&) {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.lens.zoom(); },
                    options_.callLimit);
}

void Gphoto2Camera::ZoomPosition(std::int32_t&, std::int32_t& position) {
    const int wanted = position;
    onCamera([wanted](Gphoto2Device& device, CallSignals&) { device.lens.setZoom(wanted); },
             options_.callLimit);
}

std::int32_t Gphoto2Camera::FocusPosition(std::int32_t&) {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.lens.focus(); },
                    options_.callLimit);
}

void Gphoto2Camera::FocusPosition(std::int32_t&, std::int32_t& position) {
    const int wanted = position;
    onCamera([wanted](Gphoto2Device& device,
                      CallSignals& callSignals) { device.lens.setFocus(wanted, callSignals); },
             options_.callLimit);
}

void Gphoto2Camera::GetBatteryStatus(std::int32_t&, BatteryStatus& status) {
    status.batteryLevel = std::int16_t(
        onCamera([](Gphoto2Device& device, CallSignals&) { return device.settings.batteryLevel(); },
                 options_.callLimit));
}

} // namespace snapdeck
