#include "SimulatedCamera.h"

#include "SimulatedCameraErrors.h"
#include "SimulatedOptics.h"
#include "SimulatedScene.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace snapdeck {

using namespace simulated;

namespace {

struct ImageSizeEntry {
    int code;
    QSize pixels;
    // Average JPEG bytes of a picture at this size, measured on the simulated scene; the
    // card's capacity is counted in these.
    qint64 nominalBytes;
};

constexpr int kHighQuality = 9;
const std::array<ImageSizeEntry, 8> kImageSizes = {{
    {0, {640, 480}, 130'000},
    {1, {1024, 768}, 320'000},
    {2, {1280, 960}, 500'000},
    {3, {1600, 1200}, 770'000},
    {4, {2048, 1536}, 1'250'000},
    {5, {2288, 1712}, 1'550'000},
    {6, {2592, 1944}, 1'990'000},
    {9, {3264, 2448}, 3'130'000},
}};

const ImageSizeEntry* findImageSize(int code) {
    for (const ImageSizeEntry& entry : kImageSizes)
        if (entry.code == code)
            return &entry;
    return nullptr;
}

const QSize kPreviewSize(320, 240);

constexpr double kDrainPerPicture = 0.2;
constexpr double kDrainPerPreview = 0.05;

// The camera's own fields of the exposure record; the program sends them back unchanged.
constexpr std::int32_t kCameraField3 = 100;
constexpr std::int32_t kCameraField5 = 1;

constexpr int kNothingSelected = -1;

// Bytes handed over per transfer-progress event: at least four events for a picture
// of some size, at most 64 KiB each.
constexpr qint64 kLargestChunk = 64 * 1024;

bool isOneOf(int code, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

} // namespace

struct SimulatedCamera::State {
    int imageSize = kHighQuality; // remembered from the last session, as cameras do
    int whiteBalance = 0;
    int isoCode = 0;
    int flashMode = 0;
    int focusMode = 2;
    int monitorMode = 2;
    ExposureSettings exposure{ExposureMode::Automatic, 28, kCameraField3, 16667, kCameraField5};
    int zoom = kZoomWide;
    int focus = kFocusNear;
    double battery = 100;
    int selected = kNothingSelected; // 0 = the preview, n = picture n on the card
    QByteArray preview;
    quint64 shots = 0;

    int isoSpeed() const { return isoSpeedForCode(isoCode).value_or(100); }
    // The record as the camera holds it now: in automatic mode the camera has chosen the
    // widest aperture and the standard time that suits the scene.
    ExposureSettings currentExposure() const {
        ExposureSettings current = exposure;
        if (current.mode != ExposureMode::Manual) {
            current.aperture = widestAperture(zoom);
            current.shutter = automaticShutter(current.aperture, isoSpeed());
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

void SimulatedCamera::setExposureOnCamera(const ExposureSettings& exposure) {
    state_->exposure = exposure;
}

void SimulatedCamera::setBatteryLevel(int level) {
    state_->battery = std::clamp(level, 0, 100);
}

int SimulatedCamera::picturesOnCard() const {
    return card_->present() ? card_->count() : 0;
}

// ---- every call ----

bool SimulatedCamera::pluggedIn() const {
    return !unplugged_ && card_->present();
}

// Logs the call and raises a fault the script has due; then every call but Initialize
// and GetCameraCount needs a camera that is plugged in, came up at Initialize and is
// there at all.
void SimulatedCamera::enter(const QString& key, const QString& entry) {
    script_.enter(key, entry);
    if (!pluggedIn() || config_.initializeFails || config_.cameras <= 0)
        raiseNotAnswering();
}

// "Name(1, 2)"
void SimulatedCamera::enterCall(const QString& operation, std::initializer_list<qint64> arguments) {
    QStringList texts;
    for (const qint64 argument : arguments)
        texts.append(QString::number(argument));
    enter(operation, operation + u'(' + texts.join(QStringLiteral(", ")) + u')');
}

// "Name(cam)=value", keyed "Name="
void SimulatedCamera::enterPut(const QString& property, std::int32_t cam, std::int32_t value) {
    enter(property + u'=', QStringLiteral("%1(%2)=%3").arg(property).arg(cam).arg(value));
}

std::int32_t SimulatedCamera::reportedOr(const QString& key, qint64 own) {
    return static_cast<std::int32_t>(script_.reported(key).value_or(own));
}

// ---- session ----

// The two calls that find out whether a camera is there: they need it plugged in only.
std::int32_t SimulatedCamera::Initialize() {
    script_.enter(QStringLiteral("Initialize"), QStringLiteral("Initialize()"));
    if (!pluggedIn())
        raiseNotAnswering();
    const std::int32_t result = config_.initializeFails ? 1 : 0;
    return reportedOr(QStringLiteral("Initialize"), result);
}

std::int32_t SimulatedCamera::GetCameraCount() {
    script_.enter(QStringLiteral("GetCameraCount"), QStringLiteral("GetCameraCount()"));
    if (!pluggedIn())
        raiseNotAnswering();
    return reportedOr(QStringLiteral("GetCameraCount"), config_.cameras);
}

QString SimulatedCamera::GetModelName(std::int32_t& index) {
    enterWithIndex(QStringLiteral("GetModelName"), index);
    return config_.model;
}

void SimulatedCamera::OpenCamera(std::int32_t index) {
    enterWithIndex(QStringLiteral("OpenCamera"), index);
}

// The session ends; the camera opens a new one by itself on the next call, so a
// connection check that closes it does not cut the program off.
void SimulatedCamera::CloseCamera(std::int32_t& cam) {
    enterCall(QStringLiteral("CloseCamera"), {cam});
}

// Calls that name a camera by its index: an index with no camera behind it, also when
// none was found, is a bad index rather than a camera that does not answer.
void SimulatedCamera::enterWithIndex(const QString& operation, std::int32_t index) {
    script_.enter(operation, QStringLiteral("%1(%2)").arg(operation).arg(index));
    if (!pluggedIn() || config_.initializeFails)
        raiseNotAnswering();
    if (index < 0 || index >= config_.cameras)
        raiseCameraError(SimulatedError::BadIndex,
                         QStringLiteral("Недопустимый номер камеры %1 (найдено камер: %2)")
                             .arg(index)
                             .arg(config_.cameras));
}

// ---- the card ----

qint64 SimulatedCamera::cardBytes() const {
    return static_cast<qint64>(config_.capacity) * findImageSize(0)->nominalBytes;
}

std::int32_t SimulatedCamera::remainingPictures() const {
    const qint64 free = cardBytes() - card_->bytesUsed();
    return static_cast<std::int32_t>(
        std::max<qint64>(0, free / findImageSize(state_->imageSize)->nominalBytes));
}

std::int32_t SimulatedCamera::GetPictureCount(std::int32_t& cam) {
    enterCall(QStringLiteral("GetPictureCount"), {cam});
    return reportedOr(QStringLiteral("GetPictureCount"), card_->count());
}

std::int32_t SimulatedCamera::GetRemainingCount(std::int32_t& cam) {
    enterCall(QStringLiteral("GetRemainingCount"), {cam});
    return reportedOr(QStringLiteral("GetRemainingCount"), remainingPictures());
}

void SimulatedCamera::SelectedPicture(std::int32_t& cam, std::int32_t number) {
    enterPut(QStringLiteral("SelectedPicture"), cam, number);
    const int count = card_->count();
    if (number < 0 || number > count)
        raiseCameraError(SimulatedError::BadIndex,
                         QStringLiteral("Снимка номер %1 нет на карте памяти (снимков: %2)")
                             .arg(number)
                             .arg(count));
    state_->selected = number;
}

std::int32_t SimulatedCamera::GetPictureSize(std::int32_t& cam) {
    enterCall(QStringLiteral("GetPictureSize"), {cam});
    qint64 bytes = 0;
    const int selected = state_->selected;
    if (selected == 0)
        bytes = state_->preview.size();
    else if (selected > 0 && selected <= card_->count())
        bytes = card_->pictureBytes(selected);
    // A file put on the card by hand may be larger than a byte count can say; cut
    // short, it would be downloaded in part and then deleted.
    if (bytes > std::numeric_limits<std::int32_t>::max())
        raiseCameraError(
            SimulatedError::PictureTooLarge,
            QStringLiteral("Снимок %1 слишком велик: %2 байт").arg(selected).arg(bytes));
    return reportedOr(QStringLiteral("GetPictureSize"), bytes);
}

void SimulatedCamera::DownloadPicture(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) {
    enterCall(QStringLiteral("DownloadPicture"), {cam, size});
    if (state_->selected <= 0)
        raiseCameraError(SimulatedError::NothingSelected,
                         state_->selected == 0
                             ? QStringLiteral("Выбран снимок для просмотра: его копирует "
                                              "DownloadPreview")
                             : QStringLiteral("Не выбран снимок на карте памяти"));
    if (const auto cut = script_.reported(QStringLiteral("DownloadPicture.bytes")))
        size = static_cast<std::int32_t>(std::clamp<std::int64_t>(*cut, 0, size));
    transfer(card_->picture(state_->selected), size, buffer);
}

void SimulatedCamera::DownloadPreview(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) {
    enterCall(QStringLiteral("DownloadPreview"), {cam, size});
    if (state_->selected != 0)
        raiseCameraError(SimulatedError::NothingSelected,
                         QStringLiteral("Не выбран снимок для просмотра (номер 0)"));
    if (state_->preview.isEmpty())
        raiseCameraError(SimulatedError::NoPreview,
                         QStringLiteral("Камера ещё не сделала снимок для просмотра"));
    transfer(state_->preview, size, buffer);
}

// Copies as much of the picture as the caller asked for, in chunks, reporting the
// progress after each.
void SimulatedCamera::transfer(const QByteArray& picture, std::int32_t& size, QByteArray& buffer) {
    const qint64 total = std::min<qint64>(std::max(0, size), picture.size());
    if (buffer.size() < total)
        buffer.resize(total);
    const qint64 chunk = std::clamp<qint64>((total + 3) / 4, 1, kLargestChunk);
    qint64 done = 0;
    do {
        const qint64 step = std::min(chunk, total - done);
        std::memcpy(buffer.data() + done, picture.constData() + done, static_cast<size_t>(step));
        done += step;
        reportTransferProgress(static_cast<std::int32_t>(done));
    } while (done < total);
    size = static_cast<std::int32_t>(total);
}

void SimulatedCamera::DeletePicture(std::int32_t number) {
    enterCall(QStringLiteral("DeletePicture"), {number});
    int target = number;
    if (number == 0) {
        if (state_->selected <= 0)
            raiseCameraError(SimulatedError::NothingSelected,
                             QStringLiteral("Не выбран снимок на карте памяти для удаления"));
        target = state_->selected;
    }
    card_->remove(target);
    state_->selected = kNothingSelected;
}

// ---- taking pictures ----

void SimulatedCamera::requireBattery() const {
    if (state_->battery <= 0)
        raiseCameraError(SimulatedError::BatteryEmpty, QStringLiteral("Батарея камеры разряжена"));
}

// A picture of the scene as the settings make it look; "number" is the card file
// number it will carry, 0 for a preview.
QByteArray SimulatedCamera::shoot(QSize size, int number) {
    const State& s = *state_;
    const ExposureSettings exposure = s.currentExposure();
    const QDateTime now = QDateTime::currentDateTime();
    SceneLook look;
    look.size = size;
    look.exposureStops = exposureOffsetStops(exposure.aperture, exposure.shutter, s.isoSpeed());
    look.whiteBalance = s.whiteBalance;
    look.magnification = static_cast<double>(s.zoom) / kZoomWide;
    look.focusError = s.focusMode == 3 ? s.focus - kSubjectFocus : 0;
    look.isoSpeed = s.isoSpeed();
    const QString label = number > 0 ? QStringLiteral("№%1").arg(number, 4, 10, QChar(u'0'))
                                     : QStringLiteral("просмотр");
    look.caption = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss  ")) + label;
    look.comment = QStringLiteral("%1; %2; %3; shot %4")
                       .arg(config_.model, now.toString(Qt::ISODateWithMs), label)
                       .arg(++state_->shots);
    look.noiseSeed = QRandomGenerator::global()->generate64();
    QByteArray jpeg = renderSceneJpeg(look);
    if (jpeg.isEmpty())
        raiseCameraError(SimulatedError::CardFileFailed,
                         QStringLiteral("Не удалось записать снимок в формате JPEG"));
    return jpeg;
}

void SimulatedCamera::TakePreview(std::int32_t cam) {
    enterCall(QStringLiteral("TakePreview"), {cam});
    requireBattery();
    state_->preview = shoot(kPreviewSize, 0);
    state_->battery = std::max(0.0, state_->battery - kDrainPerPreview);
}

void SimulatedCamera::TakePicture(std::int32_t& cam) {
    enterCall(QStringLiteral("TakePicture"), {cam});
    requireBattery();
    if (remainingPictures() <= 0)
        raiseCameraError(SimulatedError::CardFull, QStringLiteral("Карта памяти заполнена"));
    const int number = card_->nextFileNumber();
    const QSize size = findImageSize(state_->imageSize)->pixels;
    card_->store(shoot(size, number));
    state_->battery = std::max(0.0, state_->battery - kDrainPerPicture);
}

// ---- settings ----

std::int32_t SimulatedCamera::ImageSize(std::int32_t& cam) {
    enterCall(QStringLiteral("ImageSize"), {cam});
    return reportedOr(QStringLiteral("ImageSize"), state_->imageSize);
}

void SimulatedCamera::ImageSize(std::int32_t& cam, std::int32_t code) {
    enterPut(QStringLiteral("ImageSize"), cam, code);
    if (!findImageSize(code))
        raiseBadValue(QStringLiteral("ImageSize"), code);
    state_->imageSize = code;
}

void SimulatedCamera::WhiteBalance(std::int32_t& cam, std::int32_t code) {
    enterPut(QStringLiteral("WhiteBalance"), cam, code);
    if (code < 0 || code > 7)
        raiseBadValue(QStringLiteral("WhiteBalance"), code);
    state_->whiteBalance = code;
}

void SimulatedCamera::IsoSpeed(std::int32_t& cam, std::int32_t code) {
    enterPut(QStringLiteral("IsoSpeed"), cam, code);
    if (!isoSpeedForCode(code))
        raiseBadValue(QStringLiteral("IsoSpeed"), code);
    state_->isoCode = code;
}

void SimulatedCamera::FlashMode(std::int32_t& cam, std::int32_t code) {
    enterPut(QStringLiteral("FlashMode"), cam, code);
    if (code < 0 || code > 4)
        raiseBadValue(QStringLiteral("FlashMode"), code);
    state_->flashMode = code;
}

void SimulatedCamera::FocusMode(std::int32_t& cam, std::int32_t code) {
    enterPut(QStringLiteral("FocusMode"), cam, code);
    if (!isOneOf(code, {1, 2, 3}))
        raiseBadValue(QStringLiteral("FocusMode"), code);
    state_->focusMode = code;
}

void SimulatedCamera::SetMonitorMode(std::int32_t& cam, std::int32_t code) {
    enterCall(QStringLiteral("SetMonitorMode"), {cam, code});
    if (!isOneOf(code, {1, 2, 3}))
        raiseBadValue(QStringLiteral("SetMonitorMode"), code);
    state_->monitorMode = code;
}

void SimulatedCamera::GetExposure(std::int32_t& cam, ExposureSettings& exposure) {
    enterCall(QStringLiteral("GetExposure"), {cam});
    ExposureSettings reported = state_->currentExposure();
    reported.mode = reportedOr(QStringLiteral("GetExposure.mode"), reported.mode);
    reported.aperture = reportedOr(QStringLiteral("GetExposure.aperture"), reported.aperture);
    reported.shutter = reportedOr(QStringLiteral("GetExposure.shutter"), reported.shutter);
    exposure = reported;
}

// Manual mode keeps the aperture and time it is sent, whatever they are; automatic mode
// chooses its own. The camera's own fields are not the caller's to change.
void SimulatedCamera::SetExposure(std::int32_t& cam, ExposureSettings& exposure) {
    enter(QStringLiteral("SetExposure"), QStringLiteral("SetExposure(%1, %2/%3/%4/%5/%6)")
                                             .arg(cam)
                                             .arg(exposure.mode)
                                             .arg(exposure.aperture)
                                             .arg(exposure.cameraField3)
                                             .arg(exposure.shutter)
                                             .arg(exposure.cameraField5));
    if (!isOneOf(exposure.mode, {ExposureMode::Manual, ExposureMode::Automatic}))
        raiseBadValue(QStringLiteral("SetExposure"), exposure.mode);
    ExposureSettings& kept = state_->exposure;
    kept.mode = exposure.mode;
    if (exposure.mode == ExposureMode::Manual) {
        kept.aperture = exposure.aperture;
        kept.shutter = exposure.shutter;
    }
}

// ---- lens ----

std::int32_t SimulatedCamera::ZoomPosition(std::int32_t& cam) {
    enterCall(QStringLiteral("ZoomPosition"), {cam});
    return reportedOr(QStringLiteral("ZoomPosition"), state_->zoom);
}

void SimulatedCamera::ZoomPosition(std::int32_t& cam, std::int32_t& position) {
    enterPut(QStringLiteral("ZoomPosition"), cam, position);
    state_->zoom = snapZoom(position, config_.zoomStep);
}

std::int32_t SimulatedCamera::FocusPosition(std::int32_t& cam) {
    enterCall(QStringLiteral("FocusPosition"), {cam});
    return reportedOr(QStringLiteral("FocusPosition"), state_->focus);
}

void SimulatedCamera::FocusPosition(std::int32_t& cam, std::int32_t& position) {
    enterPut(QStringLiteral("FocusPosition"), cam, position);
    state_->focus = clampFocus(position);
}

// ---- battery ----

void SimulatedCamera::GetBatteryStatus(std::int32_t& cam, BatteryStatus& status) {
    enterCall(QStringLiteral("GetBatteryStatus"), {cam});
    // Shown as a whole number that reaches 0 only when the camera stops shooting.
    const auto level = static_cast<qint64>(std::ceil(state_->battery));
    status = BatteryStatus{};
    status.batteryLevel =
        static_cast<std::int16_t>(reportedOr(QStringLiteral("GetBatteryStatus.level"), level));
}

} // namespace snapdeck
