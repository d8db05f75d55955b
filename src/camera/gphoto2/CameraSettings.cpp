#include "CameraSettings.h"

#include "AutoIsoSwitch.h"
#include "BatteryLevel.h"
#include "CameraConfig.h"
#include "ChoiceMatching.h"
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
const std::initializer_list<const char*> kAutoIsoNames = {"autoiso"};
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

void writePick(Gphoto2Session& session, const Found& found, const Picker& picker, int code,
               const QString& setting) {
    const ChoicePick pick = picker(withCurrentFirst(found.entry.choices, found.entry.text), code);
    if (pick.status == ChoicePick::Status::NoMatch)
        raiseError(Gphoto2Error::NotSupported,
                   QStringLiteral("Камера не предлагает значение «%1» для настройки «%2»")
                       .arg(pick.meaning, setting));
    if (found.entry.text != pick.choice)
        CameraConfig::writeChoice(session, found.name, pick.choice, setting);
}

// An on/off entry, as a toggle or as "On"/"Off" choices, switched when it is not yet.
void writeSwitch(Gphoto2Session& session, const Found& found, bool on, const QString& setting) {
    if (found.entry.kind == ConfigEntry::Kind::Toggle) {
        if ((found.entry.number != 0) != on)
            CameraConfig::writeNumber(session, found.name, on ? 1.0f : 0.0f, setting);
        return;
    }
    const auto choice = switchChoice(withCurrentFirst(found.entry.choices, found.entry.text), on);
    if (!choice)
        raiseError(
            Gphoto2Error::NotSupported,
            QStringLiteral("Камера не предлагает значение «%1» для настройки «%2»")
                .arg(on ? QStringLiteral("Авто") : QStringLiteral("Авто выключено"), setting));
    if (found.entry.text != *choice)
        CameraConfig::writeChoice(session, found.name, *choice, setting);
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
    writePick(session, *found, picker, code, setting);
}

} // namespace

int CameraSettings::imageSize() {
    const auto found = findEntry(session_, kImageSizeNames);
    return found ? imageSizeCode(found->entry.choices, found->entry.text) : -1;
}

void CameraSettings::setImageSize(int code) {
    setChoice(session_, kImageSizeNames, kImageSize, code, imageSizeChoice);
}

void CameraSettings::setWhiteBalance(int code) {
    setChoice(session_, kWhiteBalanceNames, kWhiteBalance, code, whiteBalanceChoice);
}

void CameraSettings::setIso(int code) {
    rejectUnknownCode(isoChoice, code, kIso);
    const auto iso = findEntry(session_, kIsoNames);
    const auto autoIso = findEntry(session_, kAutoIsoNames);
    const IsoWrites writes =
        isoWrites(iso ? withCurrentFirst(iso->entry.choices, iso->entry.text) : QStringList(),
                  autoIso.has_value(), code);
    if (writes.autoIsoSwitch)
        writeSwitch(session_, *autoIso, *writes.autoIsoSwitch, kIso);
    if (!writes.writeIso)
        return;
    if (!iso)
        raiseLacksSetting(kIso);
    writePick(session_, *iso, isoChoice, code, kIso);
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
        writePick(session_, *found, monitorChoice, code, kMonitor);
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
    if (exposure.mode == ExposureMode::Manual) {
        if (!program)
            raiseLacksSetting(kExposureMode);
        writePick(session_, *program, programChoice, exposure.mode, kExposureMode);
        manual = true;
    } else if (exposure.mode == ExposureMode::Automatic) {
        // The user's Av, Tv, Green, ... on the mode dial is automatic exposure too; a
        // camera without a program setting exposes by itself.
        if (program && !isAutomaticProgram(program->entry.text))
            writePick(session_, *program, programChoice, exposure.mode, kExposureMode);
        manual = false;
    }
    if (!manual)
        return;
    if (exposure.aperture > 0) {
        const auto aperture = findEntry(session_, kApertureNames);
        if (!aperture)
            raiseLacksSetting(kAperture);
        if (aperture->entry.kind != ConfigEntry::Kind::Range)
            writePick(session_, *aperture, apertureChoice, exposure.aperture, kAperture);
        else if (std::lround(aperture->entry.number * 10) != exposure.aperture)
            CameraConfig::writeNumber(session_, aperture->name, exposure.aperture / 10.0f,
                                      kAperture);
    }
    if (exposure.shutter > 0) {
        const auto shutter = findEntry(session_, kShutterNames);
        if (!shutter)
            raiseLacksSetting(kShutter);
        writePick(session_, *shutter, shutterChoice, exposure.shutter, kShutter);
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
