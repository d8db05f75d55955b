#include "Gphoto2Camera.h"

#include "CameraCapture.h"
#include "Gphoto2Device.h"
#include "Gphoto2Errors.h"
#include "LibraryHome.h"
#include "LibraryThread.h"

#include <QCoreApplication>
#include <atomic>
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

// The environment is changed only here, before the library thread exists: changing it
// while another thread reads it is a race.
Gphoto2Options withLibraryHome(Gphoto2Options options) {
    gphoto2::ensureHomeForLibrary();
    return options;
}

} // namespace

Gphoto2Camera::Gphoto2Camera(Gphoto2Options options)
    : options_(withLibraryHome(std::move(options))),
      thread_(std::make_unique<gphoto2::LibraryThread>()) {
    device_ = std::make_shared<Gphoto2Device>(options_.port, thread_->abandonedCheck());
}

template <typename Job>
auto Gphoto2Camera::call(Job job, std::chrono::milliseconds limit,
                         const std::function<void(std::int64_t)>& progress) {
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

// ---- session ----

bool Gphoto2Camera::initialize() {
    call([](Gphoto2Device& device, CallSignals&) { device.initialize(); }, options_.startLimit);
    return true;
}

int Gphoto2Camera::cameraCount() {
    return call([](Gphoto2Device& device, CallSignals&) { return device.countCameras(); },
                options_.startLimit);
}

void Gphoto2Camera::open(int index) {
    openedIndex_ = index;
    // Another camera may be behind the index now: it is asked about preview afresh.
    previewRefused_ = false;
    call([index](Gphoto2Device& device, CallSignals&) { device.openCamera(index); },
         options_.startLimit);
}

QString Gphoto2Camera::modelName() {
    const int index = openedIndex_;
    return call([index](Gphoto2Device& device, CallSignals&) { return device.modelName(index); },
                options_.callLimit);
}

void Gphoto2Camera::close() {
    call([](Gphoto2Device& device, CallSignals&) { device.closeCamera(); }, options_.callLimit);
}

CameraCapabilities Gphoto2Camera::capabilities() {
    CameraCapabilities capabilities;
    capabilities.preview = !previewRefused_;
    // Live view is the same library call as a preview, asked again and again; the
    // camera sets the pace by the time it takes to answer.
    capabilities.liveView = !previewRefused_;
    return capabilities;
}

// ---- the card ----

int Gphoto2Camera::pictureCount() {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.pictures.count(); },
                    options_.callLimit);
}

int Gphoto2Camera::remainingCount() {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.pictures.remaining(); },
                    options_.callLimit);
}

qint64 Gphoto2Camera::pictureSize(int number) {
    return onCamera(
        [number](Gphoto2Device& device, CallSignals&) { return device.pictures.size(number); },
        options_.callLimit);
}

QString Gphoto2Camera::pictureName(int number) {
    return onCamera(
        [number](Gphoto2Device& device, CallSignals&) {
            const gphoto2::CardPicture picture = device.pictures.pictureAt(number);
            return picture.folder + u'/' + picture.name;
        },
        options_.callLimit);
}

QByteArray Gphoto2Camera::downloadPicture(int number, const TransferProgress& progress) {
    // The picture's size as the driver knows it, set on the library thread before the
    // first chunk; 0 while unknown.
    auto total = std::make_shared<std::atomic<std::int64_t>>(0);
    std::function<void(std::int64_t)> forward;
    if (progress)
        forward = [&progress, total](std::int64_t done) { progress(done, total->load()); };
    QByteArray bytes = call(
        [number, total](Gphoto2Device& device, CallSignals& callSignals) {
            device.ensureOpen();
            return device.pictures.download(
                number, [&callSignals, total](std::int64_t done, std::int64_t whole) {
                    total->store(whole);
                    callSignals.alive(done);
                });
        },
        options_.callLimit, forward);
    // A driver that did not know the size beforehand: the bar ends full all the same.
    if (progress && total->load() != bytes.size())
        progress(bytes.size(), bytes.size());
    return bytes;
}

void Gphoto2Camera::deletePicture(int number) {
    onCamera([number](Gphoto2Device& device, CallSignals&) { device.pictures.remove(number); },
             options_.callLimit);
}

// ---- taking pictures ----

void Gphoto2Camera::takePicture() {
    const auto limit = options_.captureLimit;
    onCamera([limit](Gphoto2Device& device,
                     CallSignals& callSignals) { device.takePicture(callSignals, limit); },
             limit);
}

QByteArray Gphoto2Camera::takePreview(const TransferProgress& progress) {
    const std::optional<QByteArray> preview = onCamera(
        [](Gphoto2Device& device, CallSignals&) { return gphoto2::capturePreview(device.session); },
        options_.callLimit);
    if (!preview) {
        previewRefused_ = true;
        gphoto2::raiseError(gphoto2::Gphoto2Error::NotSupported,
                            tr("Камера не умеет показывать изображение для "
                               "просмотра: используйте кнопку «Захват»"));
    }
    // The library hands the preview over whole: the bar shows it arriving at once.
    if (progress)
        progress(preview->size(), preview->size());
    return *preview;
}

QByteArray Gphoto2Camera::liveFrame() {
    const std::optional<QByteArray> frame = onCamera(
        [](Gphoto2Device& device, CallSignals&) { return gphoto2::capturePreview(device.session); },
        options_.callLimit);
    if (!frame) {
        previewRefused_ = true;
        gphoto2::raiseError(
            gphoto2::Gphoto2Error::NotSupported,
            QCoreApplication::translate("LiveView", "Камера не передаёт живое изображение"));
    }
    return *frame;
}

// ---- settings ----

ImageSize Gphoto2Camera::imageSize() {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.settings.imageSize(); },
                    options_.callLimit)
        .value_or(kNoImageSize);
}

void Gphoto2Camera::setImageSize(ImageSize size) {
    onCamera([size](Gphoto2Device& device, CallSignals&) { device.settings.setImageSize(size); },
             options_.callLimit);
}

void Gphoto2Camera::setWhiteBalance(WhiteBalance balance) {
    onCamera([balance](Gphoto2Device& device,
                       CallSignals&) { device.settings.setWhiteBalance(balance); },
             options_.callLimit);
}

void Gphoto2Camera::setIsoSpeed(IsoSpeed speed) {
    onCamera([speed](Gphoto2Device& device, CallSignals&) { device.settings.setIso(speed); },
             options_.callLimit);
}

void Gphoto2Camera::setFlashMode(FlashMode mode) {
    onCamera([mode](Gphoto2Device& device, CallSignals&) { device.settings.setFlash(mode); },
             options_.callLimit);
}

void Gphoto2Camera::setFocusMode(FocusMode mode) {
    onCamera([mode](Gphoto2Device& device, CallSignals&) { device.settings.setFocusMode(mode); },
             options_.callLimit);
}

void Gphoto2Camera::setMonitorMode(MonitorMode mode) {
    onCamera([mode](Gphoto2Device& device, CallSignals&) { device.settings.setMonitorMode(mode); },
             options_.callLimit);
}

Exposure Gphoto2Camera::exposure() {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.settings.exposure(); },
                    options_.callLimit);
}

void Gphoto2Camera::setExposure(const Exposure& exposure) {
    onCamera(
        [exposure](Gphoto2Device& device, CallSignals&) { device.settings.setExposure(exposure); },
        options_.callLimit);
}

// ---- lens ----

int Gphoto2Camera::zoom() {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.lens.zoom(); },
                    options_.callLimit);
}

void Gphoto2Camera::setZoom(int position) {
    onCamera([position](Gphoto2Device& device, CallSignals&) { device.lens.setZoom(position); },
             options_.callLimit);
}

int Gphoto2Camera::focus() {
    return onCamera([](Gphoto2Device& device, CallSignals&) { return device.lens.focus(); },
                    options_.callLimit);
}

void Gphoto2Camera::setFocus(int position) {
    onCamera([position](Gphoto2Device& device,
                        CallSignals& callSignals) { device.lens.setFocus(position, callSignals); },
             options_.callLimit);
}

// ---- battery ----

int Gphoto2Camera::batteryPercent() {
    return onCamera(
        [](Gphoto2Device& device, CallSignals&) { return device.settings.batteryLevel(); },
        options_.callLimit);
}

} // namespace snapdeck
