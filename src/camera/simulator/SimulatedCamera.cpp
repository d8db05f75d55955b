#include "SimulatedCamera.h"

#include "SimulatedCameraErrors.h"
#include "SimulatedOptics.h"
#include "SimulatedScene.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <limits>

namespace snapdeck {

using namespace simulated;

namespace {

// Average JPEG bytes of a picture at each size, measured on the simulated scene; the
// card's capacity is counted in these.
qint64 nominalBytes(ImageSize size) {
    switch (size) {
    case ImageSize::Sq2_640x480:
        return 130'000;
    case ImageSize::Sq2_1024x768:
        return 320'000;
    case ImageSize::Sq2_1280x960:
        return 500'000;
    case ImageSize::Sq1_1600x1200:
        return 770'000;
    case ImageSize::Sq1_2048x1536:
        return 1'250'000;
    case ImageSize::Sq1_2288x1712:
        return 1'550'000;
    case ImageSize::Sq1_2592x1944:
        return 1'990'000;
    case ImageSize::Hq3264x2448:
        break;
    }
    return 3'130'000;
}

const QSize kPreviewSize(320, 240);
// A camera's screen refreshes 25 times a second; live frames are compressed harder than
// pictures, as a camera does to stream them.
constexpr int kLiveFramesPerSecond = 25;
constexpr int kLiveFrameQuality = 80;

constexpr double kDrainPerPicture = 0.2;
constexpr double kDrainPerPreview = 0.05;

// Bytes handed over per progress report: at least four reports for a picture of some
// size, at most 64 KiB each.
constexpr qint64 kLargestChunk = 64 * 1024;

template <typename Value, typename Entries> bool isListed(Value value, const Entries& entries) {
    return std::any_of(entries.begin(), entries.end(),
                       [value](const auto& entry) { return entry.value == value; });
}

// Reports the copy of a picture in chunks, as a camera sends it.
void reportInChunks(qint64 total, const TransferProgress& progress) {
    if (!progress)
        return;
    const qint64 chunk = std::clamp<qint64>((total + 3) / 4, 1, kLargestChunk);
    qint64 done = 0;
    do {
        done = std::min(total, done + chunk);
        progress(done, total);
    } while (done < total);
}

} // namespace

struct SimulatedCamera::State {
    ImageSize imageSize = ImageSize::Hq3264x2448; // remembered from the last session
    WhiteBalance whiteBalance = WhiteBalance::Auto;
    IsoSpeed isoSpeed = IsoSpeed::Auto;
    FlashMode flashMode = FlashMode::Auto;
    FocusMode focusMode = FocusMode::Auto;
    MonitorMode monitorMode = MonitorMode::On;
    Exposure exposure{ExposureMode::Automatic, 28, 16667};
    int zoom = kZoomWide;
    int focus = kFocusNear;
    double battery = 100;
    quint64 shots = 0;

    int sensitivity() const { return isoSensitivity(isoSpeed); }
    // The exposure as the camera holds it now: in automatic mode the camera has chosen
    // the widest aperture and the standard time that suits the scene.
    Exposure currentExposure() const {
        Exposure current = exposure;
        if (current.mode != ExposureMode::Manual) {
            current.aperture = widestAperture(zoom);
            current.shutter = automaticShutter(current.aperture, sensitivity());
        }
        return current;
    }
};

SimulatedCamera::SimulatedCamera(SimulatedCameraConfig config)
    : SimulatedCamera(std::move(config), SimulatedCard::inMemory()) {}

SimulatedCamera::SimulatedCamera(SimulatedCameraConfig config, std::unique_ptr<SimulatedCard> card)
    : config_(std::move(config)), card_(std::move(card)), state_(std::make_unique<State>()) {
    state_->battery = config_.battery;
}

std::unique_ptr<SimulatedCamera> SimulatedCamera::withCardFolder(const QString& folder) {
    return std::unique_ptr<SimulatedCamera>(new SimulatedCamera(
        SimulatedCameraConfig::fromFolder(folder), SimulatedCard::inFolder(folder)));
}

SimulatedCamera::~SimulatedCamera() = default;

void SimulatedCamera::setExposureOnCamera(const Exposure& exposure) {
    state_->exposure = exposure;
}

void SimulatedCamera::setBatteryLevel(int level) {
    state_->battery = std::clamp(level, 0, 100);
}

int SimulatedCamera::picturesOnCard() const {
    return card_->present() ? card_->count() : 0;
}

bool SimulatedCamera::pluggedIn() const {
    return !unplugged_ && card_->present();
}

void SimulatedCamera::requireCamera() const {
    if (!pluggedIn() || config_.initializeFails || config_.cameras <= 0)
        raiseNotAnswering();
}

// ---- session ----

// The two calls that find out whether a camera is there need it plugged in only.
bool SimulatedCamera::initialize() {
    if (!pluggedIn())
        raiseNotAnswering();
    return !config_.initializeFails;
}

int SimulatedCamera::cameraCount() {
    if (!pluggedIn())
        raiseNotAnswering();
    return config_.cameras;
}

// An index with no camera behind it, also when none was found, is a bad index rather
// than a camera that does not answer.
void SimulatedCamera::open(int index) {
    if (!pluggedIn() || config_.initializeFails)
        raiseNotAnswering();
    if (index < 0 || index >= config_.cameras)
        raiseCameraError(SimulatedError::BadIndex,
                         tr("Недопустимый номер камеры %1 (найдено камер: %2)")
                             .arg(QString::number(index), QString::number(config_.cameras)));
}

QString SimulatedCamera::modelName() {
    requireCamera();
    return config_.model;
}

// The session ends; the camera opens a new one by itself on the next call, so a
// connection check that closes it does not cut the program off.
void SimulatedCamera::close() {
    requireCamera();
}

CameraCapabilities SimulatedCamera::capabilities() {
    CameraCapabilities capabilities;
    capabilities.liveView = config_.liveViewSize.isValid() && !config_.liveViewSize.isEmpty();
    capabilities.liveFrameIntervalMs = 1000 / kLiveFramesPerSecond;
    return capabilities;
}

// ---- the card ----

qint64 SimulatedCamera::cardBytes() const {
    return qint64(config_.capacity) * nominalBytes(ImageSize::Sq2_640x480);
}

int SimulatedCamera::remainingPictures() const {
    const qint64 free = cardBytes() - card_->bytesUsed();
    return int(std::max<qint64>(0, free / nominalBytes(state_->imageSize)));
}

int SimulatedCamera::pictureCount() {
    requireCamera();
    return card_->count();
}

int SimulatedCamera::remainingCount() {
    requireCamera();
    return remainingPictures();
}

qint64 SimulatedCamera::pictureSize(int number) {
    requireCamera();
    return card_->pictureBytes(number);
}

QString SimulatedCamera::pictureName(int number) {
    requireCamera();
    return card_->pictureName(number);
}

QByteArray SimulatedCamera::downloadPicture(int number, const TransferProgress& progress) {
    requireCamera();
    QByteArray picture = card_->picture(number);
    reportInChunks(picture.size(), progress);
    return picture;
}

void SimulatedCamera::deletePicture(int number) {
    requireCamera();
    card_->remove(number);
}

// ---- taking pictures ----

void SimulatedCamera::requireBattery() const {
    if (state_->battery <= 0)
        raiseCameraError(SimulatedError::BatteryEmpty, tr("Батарея камеры разряжена"));
}

// A picture of the scene as the settings make it look, stamped with the time and the
// shot's label.
QByteArray SimulatedCamera::shoot(const Shot& shot) {
    const State& s = *state_;
    const Exposure exposure = s.currentExposure();
    const QDateTime now = QDateTime::currentDateTime();
    SceneLook look;
    look.size = shot.size;
    look.exposureStops = exposureOffsetStops(exposure.aperture, exposure.shutter, s.sensitivity());
    look.whiteBalance = s.whiteBalance;
    look.magnification = static_cast<double>(s.zoom) / kZoomWide;
    look.focusError = s.focusMode == FocusMode::Manual ? s.focus - kSubjectFocus : 0;
    look.isoSpeed = s.sensitivity();
    const QString time = shot.milliseconds ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz  ")
                                           : QStringLiteral("yyyy-MM-dd HH:mm:ss  ");
    look.caption = now.toString(time) + shot.label;
    look.comment = QStringLiteral("%1; %2; %3; shot %4")
                       .arg(config_.model, now.toString(Qt::ISODateWithMs), shot.label)
                       .arg(++state_->shots);
    look.noiseSeed = QRandomGenerator::global()->generate64();
    if (shot.quality > 0)
        look.jpegQuality = shot.quality;
    QByteArray jpeg = renderSceneJpeg(look);
    if (jpeg.isEmpty())
        raiseCameraError(SimulatedError::CardFileFailed,
                         tr("Не удалось записать снимок в формате JPEG"));
    return jpeg;
}

QByteArray SimulatedCamera::takePreview(const TransferProgress& progress) {
    requireCamera();
    requireBattery();
    QByteArray preview = shoot({kPreviewSize, tr("просмотр")});
    state_->battery = std::max(0.0, state_->battery - kDrainPerPreview);
    reportInChunks(preview.size(), progress);
    return preview;
}

// The scene as it is at this moment; the camera gives frames only while it can show
// them, so without live view this is "not supported".
QByteArray SimulatedCamera::liveFrame() {
    requireCamera();
    requireBattery();
    if (!capabilities().liveView)
        raiseCameraError(
            SimulatedError::NoPreview,
            QCoreApplication::translate("LiveView", "Камера не передаёт живое изображение"));
    return shoot({config_.liveViewSize, {}, kLiveFrameQuality, true});
}

void SimulatedCamera::takePicture() {
    requireCamera();
    requireBattery();
    if (remainingPictures() <= 0)
        throw CameraError(SimulatedError::CardFull, kSimulatedSource,
                          tr("Карта памяти заполнена: снимок не сделан."), cardFullAdvice());
    const int number = card_->nextFileNumber();
    const QSize size = findImageSize(state_->imageSize)->pixels;
    card_->store(shoot({size, tr("№%1").arg(number, 4, 10, QChar(u'0'))}));
    state_->battery = std::max(0.0, state_->battery - kDrainPerPicture);
}

// ---- settings ----

ImageSize SimulatedCamera::imageSize() {
    requireCamera();
    return state_->imageSize;
}

void SimulatedCamera::setImageSize(ImageSize size) {
    requireCamera();
    if (!findImageSize(size))
        raiseBadValue(QStringLiteral("ImageSize"), int(size));
    state_->imageSize = size;
}

void SimulatedCamera::setWhiteBalance(WhiteBalance balance) {
    requireCamera();
    if (!isListed(balance, settingTables::whiteBalances()))
        raiseBadValue(QStringLiteral("WhiteBalance"), int(balance));
    state_->whiteBalance = balance;
}

void SimulatedCamera::setIsoSpeed(IsoSpeed speed) {
    requireCamera();
    if (!isListed(speed, settingTables::isoSpeeds()))
        raiseBadValue(QStringLiteral("IsoSpeed"), int(speed));
    state_->isoSpeed = speed;
}

void SimulatedCamera::setFlashMode(FlashMode mode) {
    requireCamera();
    if (!isListed(mode, settingTables::flashModes()))
        raiseBadValue(QStringLiteral("FlashMode"), int(mode));
    state_->flashMode = mode;
}

void SimulatedCamera::setFocusMode(FocusMode mode) {
    requireCamera();
    if (!isListed(mode, settingTables::focusModes()))
        raiseBadValue(QStringLiteral("FocusMode"), int(mode));
    state_->focusMode = mode;
}

void SimulatedCamera::setMonitorMode(MonitorMode mode) {
    requireCamera();
    if (!isListed(mode, settingTables::monitorModes()))
        raiseBadValue(QStringLiteral("SetMonitorMode"), int(mode));
    state_->monitorMode = mode;
}

Exposure SimulatedCamera::exposure() {
    requireCamera();
    return state_->currentExposure();
}

// Manual mode keeps the aperture and time it is sent, whatever they are; automatic mode
// chooses its own.
void SimulatedCamera::setExposure(const Exposure& exposure) {
    requireCamera();
    if (exposure.mode != ExposureMode::Manual && exposure.mode != ExposureMode::Automatic)
        raiseBadValue(QStringLiteral("SetExposure"), int(exposure.mode));
    Exposure& kept = state_->exposure;
    kept.mode = exposure.mode;
    if (exposure.mode == ExposureMode::Manual) {
        kept.aperture = exposure.aperture;
        kept.shutter = exposure.shutter;
    }
}

// ---- lens ----

int SimulatedCamera::zoom() {
    requireCamera();
    return state_->zoom;
}

void SimulatedCamera::setZoom(int position) {
    requireCamera();
    state_->zoom = snapZoom(position, config_.zoomStep);
}

int SimulatedCamera::focus() {
    requireCamera();
    return state_->focus;
}

void SimulatedCamera::setFocus(int position) {
    requireCamera();
    state_->focus = clampFocus(position);
}

// ---- battery ----

// Shown as a whole number that reaches 0 only when the camera stops shooting.
int SimulatedCamera::batteryPercent() {
    requireCamera();
    return int(std::ceil(state_->battery));
}

} // namespace snapdeck
