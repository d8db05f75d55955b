#include "ScriptedCamera.h"

#include <algorithm>

namespace snapdeck::test {

void ScriptedCamera::enter(const char* operation, const QString& arguments) {
    const QString key = QLatin1String(operation);
    script_.enter(key, key + u'(' + arguments + u')');
}

void ScriptedCamera::done(const char* operation) {
    if (afterCall)
        afterCall(QLatin1String(operation));
}

template <typename Value> Value ScriptedCamera::reported(const char* key, Value own) {
    const std::optional<std::int64_t> value = script_.reported(QLatin1String(key));
    return value ? static_cast<Value>(*value) : own;
}

bool ScriptedCamera::initialize() {
    enter("initialize");
    const bool ready = camera_.initialize();
    done("initialize");
    return reported("initialize", ready);
}

int ScriptedCamera::cameraCount() {
    enter("cameraCount");
    const int count = camera_.cameraCount();
    done("cameraCount");
    return reported("cameraCount", count);
}

void ScriptedCamera::open(int index) {
    enter("open", QString::number(index));
    camera_.open(index);
    done("open");
}

QString ScriptedCamera::modelName() {
    enter("modelName");
    QString name = camera_.modelName();
    done("modelName");
    return name;
}

void ScriptedCamera::close() {
    enter("close");
    camera_.close();
    done("close");
}

// What the backend knows of its camera, asked without a word to the camera: not
// logged, so that the logs keep to the calls that reach the camera.
CameraCapabilities ScriptedCamera::capabilities() {
    CameraCapabilities can = camera_.capabilities();
    can.preview = reported("capabilities.preview", can.preview);
    can.liveView = reported("capabilities.liveView", can.liveView);
    return can;
}

int ScriptedCamera::pictureCount() {
    enter("pictureCount");
    const int count = camera_.pictureCount();
    done("pictureCount");
    return reported("pictureCount", count);
}

int ScriptedCamera::remainingCount() {
    enter("remainingCount");
    const int count = camera_.remainingCount();
    done("remainingCount");
    return reported("remainingCount", count);
}

qint64 ScriptedCamera::pictureSize(int number) {
    enter("pictureSize", QString::number(number));
    const qint64 size = camera_.pictureSize(number);
    done("pictureSize");
    return reported("pictureSize", size);
}

QString ScriptedCamera::pictureName(int number) {
    enter("pictureName", QString::number(number));
    QString name = camera_.pictureName(number);
    done("pictureName");
    return name;
}

QByteArray ScriptedCamera::downloadPicture(int number, const TransferProgress& progress) {
    enter("downloadPicture", QString::number(number));
    QByteArray picture = camera_.downloadPicture(number, progress);
    if (const auto cut = script_.reported(QStringLiteral("downloadPicture.bytes")))
        picture.truncate(qsizetype(std::clamp<std::int64_t>(*cut, 0, picture.size())));
    done("downloadPicture");
    return picture;
}

void ScriptedCamera::deletePicture(int number) {
    enter("deletePicture", QString::number(number));
    camera_.deletePicture(number);
    done("deletePicture");
}

void ScriptedCamera::takePicture() {
    enter("takePicture");
    camera_.takePicture();
    done("takePicture");
}

QByteArray ScriptedCamera::takePreview(const TransferProgress& progress) {
    enter("takePreview");
    QByteArray preview = camera_.takePreview(progress);
    done("takePreview");
    return preview;
}

QByteArray ScriptedCamera::liveFrame() {
    enter("liveFrame");
    QByteArray frame = camera_.liveFrame();
    done("liveFrame");
    return frame;
}

ImageSize ScriptedCamera::imageSize() {
    enter("imageSize");
    const ImageSize size = camera_.imageSize();
    done("imageSize");
    return ImageSize(reported("imageSize", int(size)));
}

void ScriptedCamera::setImageSize(ImageSize size) {
    enter("setImageSize", QString::number(int(size)));
    camera_.setImageSize(size);
    done("setImageSize");
}

void ScriptedCamera::setWhiteBalance(WhiteBalance balance) {
    enter("setWhiteBalance", QString::number(int(balance)));
    camera_.setWhiteBalance(balance);
    done("setWhiteBalance");
}

void ScriptedCamera::setIsoSpeed(IsoSpeed speed) {
    enter("setIsoSpeed", QString::number(int(speed)));
    camera_.setIsoSpeed(speed);
    done("setIsoSpeed");
}

void ScriptedCamera::setFlashMode(FlashMode mode) {
    enter("setFlashMode", QString::number(int(mode)));
    camera_.setFlashMode(mode);
    done("setFlashMode");
}

void ScriptedCamera::setFocusMode(FocusMode mode) {
    enter("setFocusMode", QString::number(int(mode)));
    camera_.setFocusMode(mode);
    done("setFocusMode");
}

void ScriptedCamera::setMonitorMode(MonitorMode mode) {
    enter("setMonitorMode", QString::number(int(mode)));
    camera_.setMonitorMode(mode);
    done("setMonitorMode");
}

Exposure ScriptedCamera::exposure() {
    enter("exposure");
    Exposure read = camera_.exposure();
    done("exposure");
    read.mode = ExposureMode(reported("exposure.mode", int(read.mode)));
    read.aperture = reported("exposure.aperture", read.aperture);
    read.shutter = reported("exposure.shutter", read.shutter);
    return read;
}

void ScriptedCamera::setExposure(const Exposure& exposure) {
    enter("setExposure", QStringLiteral("%1/%2/%3")
                             .arg(int(exposure.mode))
                             .arg(exposure.aperture)
                             .arg(exposure.shutter));
    camera_.setExposure(exposure);
    done("setExposure");
}

int ScriptedCamera::zoom() {
    enter("zoom");
    const int position = camera_.zoom();
    done("zoom");
    return reported("zoom", position);
}

void ScriptedCamera::setZoom(int position) {
    enter("setZoom", QString::number(position));
    camera_.setZoom(position);
    done("setZoom");
}

int ScriptedCamera::focus() {
    enter("focus");
    const int position = camera_.focus();
    done("focus");
    return reported("focus", position);
}

void ScriptedCamera::setFocus(int position) {
    enter("setFocus", QString::number(position));
    camera_.setFocus(position);
    done("setFocus");
}

int ScriptedCamera::batteryPercent() {
    enter("batteryPercent");
    const int level = camera_.batteryPercent();
    done("batteryPercent");
    return reported("batteryPercent", level);
}

} // namespace snapdeck::test
