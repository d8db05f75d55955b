#include "CameraSettings.h"

#include "BatteryLevel.h"
#include "CameraConfig.h"
#include "ExposureChoices.h"
#include "Gphoto2Errors.h"
#include "PictureChoices.h"

#include <cmath>
#include <functional>

namespace snapdeck::gphoto2 {

namespace {

// The settings' names as the window shows them, for messages.
const QString kImageSize = QStringLiteral("Размер изображения");
const QString kExposureMode = QStringLiteral("Режим экспозиции");
const QString kWhiteBalance = QStringLiteral("Баланс белого");
const QString kFlash = QStringLiteral("Режим вспышки");
const QString kShutter = QStringLiteral("Значение выдержки");
const QString kAperture = QStringLiteral("Значение диафрагмы");
const QString kIso = QStringLiteral("Светочувствительность");
const QString kMonitor = QStringLiteral("Режим экрана");
const QString kFocusMode = QStringLiteral("Режим фокусировки");

// libgphoto2's names for each setting; drivers differ (PTP "f-number", Canon EOS
// "aperture").
const std::initializer_list<const char*> kImageSizeNames = {"imagesize"};
const std::initializer_list<const char*> kWhiteBalanceNames = {"whitebalance"};
const std::initializer_list<const char*> kIsoNames = {"iso", "isospeed"};
const std::initializer_list<const char*> kFlashNames = {"flashmode"};
const std::initializer_list<const char*> kFocusModeNames = {"focusmode"};
const std::initializer_list<const char*> kMonitorChoiceNames = {"output"};
const std::initializer_list<const char*> kMonitorToggleNames = {"viewfinder", "eosviewfinder"};
const std::initializer_list<const char*> kProgramNames = {"expprogram", "autoexposuremode"};
const std::initializer_list<const char*> kApertureNames = {"f-number", "aperture"};
const std::initializer_list<const char*> kShutterNames = {"shutterspeed", "shutterspeed2"};
const std::initializer_list<const char*> kBatteryNames = {"batterylevel"};

struct Found {
    const char* name;
    ConfigEntry entry;
};

std::optional<Found> findEntry(Gphoto2Session& session, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (auto entry = CameraConfig::read(session, name))
            return Found{name, *entry};
    return std::nullopt;
}

using Picker = std::function<ChoicePick(const QStringList&, int)>;

void writePick(Gphoto2Session& session, const Found& found, const ChoicePick& pick,
               const QString& setting) {
    if (pick.status == ChoicePick::Status::NoMatch)
        raiseError(Gphoto2Error::NotSupported,
                   QStringLiteral("Камера не предлагает значение «%1» для настройки «%2»")
                       .arg(pick.meaning, setting));
    if (found.entry.text == pick.choice)
        return;
    if (found.entry.readOnly)
        raiseError(Gphoto2Error::CameraRefused,
                   QStringLiteral("Настройка «%1» задаётся на самой камере (сейчас «%2»)")
                       .arg(setting, found.entry.text));
    CameraConfig::writeChoice(session, found.name, pick.choice, setting);
}

void rejectUnknownCode(const Picker& picker, int code, const QString& setting) {
    if (picker({}, code).status == ChoicePick::Status::UnknownCode)
        raiseError(
            Gphoto2Error::BadValue,
            QStringLiteral("Недопустимое значение настройки «%1»: %2").arg(setting).arg(code));
}

void setChoice(Gphoto2Session& session, std::initializer_list<const char*> names,
               const QString& setting, int code, const Picker& picker) {
    rejectUnknownCode(picker, code, setting);
    const auto found = findEntry(session, names);
    if (!found)
        raiseLacksSetting(setting);
    writePick(session, *found, picker(found->entry.choices, code), setting);
}

} // namespace

int CameraSettings::imageSize() {
    const auto found = findEntry(session_, kImageSizeNames);
    return found ? imageSizeCode(found->entry.text) : -1;
}

void CameraSettings::setImageSize(int code) {
    setChoice(session_, kImageSizeNames, kImageSize, code, imageSizeChoice);
}

void CameraSettings::setWhiteBalance(int code) {
    setChoice(session_, kWhiteBalanceNames, kWhiteBalance, code, whiteBalanceChoice);
}

void CameraSettings::setIso(int code) {
    setChoice(session_, kIsoNames, kIso, code, isoChoice);
}

void CameraSettings::setFlash(int code) {
    setChoice(session_, kFlashNames, kFlash, code, flashChoice);
}

void CameraSettings::setFocusMode(int code) {
    setChoice(session_, kFocusModeNames, kFocusMode, code, focusModeChoice);
}

void CameraSettings::setMonitorMode(int code) {
    rejectUnknownCode(monitorChoice, code, kMonitor);
    if (const auto found = findEntry(session_, kMonitorChoiceNames)) {
        writePick(session_, *found, monitorChoice(found->entry.choices, code), kMonitor);
        return;
    }
    const auto toggle = findEntry(session_, kMonitorToggleNames);
    if (!toggle)
        raiseLacksSetting(kMonitor);
    const float wanted = code == 1 ? 0.0f : 1.0f;
    if (toggle->entry.number != wanted)
        CameraConfig::writeNumber(session_, toggle->name, wanted, kMonitor);
}

ExposureSettings CameraSettings::exposure() {
    ExposureSettings exposure;
    const auto program = findEntry(session_, kProgramNames);
    exposure.mode = program ? exposureMode(program->entry.text) : ExposureMode::Automatic;
    if (const auto aperture = findEntry(session_, kApertureNames))
        exposure.aperture = aperture->entry.kind == ConfigEntry::Kind::Range
                                ? int(std::lround(aperture->entry.number * 10))
                                : apertureCode(aperture->entry.text);
    if (const auto shutter = findEntry(session_, kShutterNames))
        exposure.shutter = shutterCode(shutter->entry.text);
    return exposure;
}

void CameraSettings::setExposure(const ExposureSettings& exposure) {
    const auto program = findEntry(session_, kProgramNames);
    bool manual = program && exposureMode(program->entry.text) == ExposureMode::Manual;
    if (exposure.mode == ExposureMode::Manual || exposure.mode == ExposureMode::Automatic) {
        if (!program)
            raiseLacksSetting(kExposureMode);
        writePick(session_, *program, programChoice(program->entry.choices, exposure.mode),
                  kExposureMode);
        manual = exposure.mode == ExposureMode::Manual;
    }
    if (!manual)
        return;
    if (exposure.aperture > 0) {
        const auto aperture = findEntry(session_, kApertureNames);
        if (!aperture)
            raiseLacksSetting(kAperture);
        if (aperture->entry.kind == ConfigEntry::Kind::Range)
            CameraConfig::writeNumber(session_, aperture->name, exposure.aperture / 10.0f,
                                      kAperture);
        else
            writePick(session_, *aperture,
                      apertureChoice(aperture->entry.choices, exposure.aperture), kAperture);
    }
    if (exposure.shutter > 0) {
        const auto shutter = findEntry(session_, kShutterNames);
        if (!shutter)
            raiseLacksSetting(kShutter);
        writePick(session_, *shutter, shutterChoice(shutter->entry.choices, exposure.shutter),
                  kShutter);
    }
}

int CameraSettings::batteryLevel() {
    const auto found = findEntry(session_, kBatteryNames);
    if (!found)
        return 100;
    if (found->entry.kind == ConfigEntry::Kind::Range)
        return batteryPercent(found->entry.number, found->entry.minimum, found->entry.maximum);
    return batteryPercent(found->entry.text);
}

} // namespace snapdeck::gphoto2
