#include "CameraSettings.h"

#include "AutoIsoSwitch.h"
#include "BatteryLevel.h"
#include "CameraConfig.h"
#include "ChoiceMatching.h"
#include "ExposureChoices.h"
#include "Gphoto2Errors.h"
#include "PictureChoices.h"

#include <QCoreApplication>
#include <cmath>
#include <type_traits>

namespace snapdeck::gphoto2 {

namespace {

// The settings' names as the window shows them, for messages; translated when a
// message is built.
constexpr const char* kImageSize = QT_TRANSLATE_NOOP("CameraSettings", "Размер изображения");
constexpr const char* kExposureMode = QT_TRANSLATE_NOOP("CameraSettings", "Режим экспозиции");
constexpr const char* kWhiteBalance = QT_TRANSLATE_NOOP("CameraSettings", "Баланс белого");
constexpr const char* kFlash = QT_TRANSLATE_NOOP("CameraSettings", "Режим вспышки");
constexpr const char* kShutter = QT_TRANSLATE_NOOP("CameraSettings", "Значение выдержки");
constexpr const char* kAperture = QT_TRANSLATE_NOOP("CameraSettings", "Значение диафрагмы");
constexpr const char* kIso = QT_TRANSLATE_NOOP("CameraSettings", "Светочувствительность");
constexpr const char* kMonitor = QT_TRANSLATE_NOOP("CameraSettings", "Режим экрана");
constexpr const char* kFocusMode = QT_TRANSLATE_NOOP("CameraSettings", "Режим фокусировки");

QString shown(const char* setting) {
    return QCoreApplication::translate("CameraSettings", setting);
}

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

// Picks the camera's choice for one of the program's values of a setting.
template <typename Value> using Picker = ChoicePick (*)(const QStringList&, Value);

template <typename Value>
void writePick(Gphoto2Session& session, const Found& found, Picker<Value> picker,
               std::type_identity_t<Value> value, const QString& setting) {
    const ChoicePick pick = picker(withCurrentFirst(found.entry.choices, found.entry.text), value);
    if (pick.status == ChoicePick::Status::NoMatch)
        raiseError(Gphoto2Error::NotSupported,
                   QCoreApplication::translate(
                       "CameraSettings", "Камера не предлагает значение «%1» для настройки «%2»")
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
        raiseError(Gphoto2Error::NotSupported,
                   QCoreApplication::translate(
                       "CameraSettings", "Камера не предлагает значение «%1» для настройки «%2»")
                       .arg(on ? QCoreApplication::translate("CameraSettings", "Авто")
                               : QCoreApplication::translate("CameraSettings", "Авто выключено"),
                            setting));
    if (found.entry.text != *choice)
        CameraConfig::writeChoice(session, found.name, *choice, setting);
}

template <typename Value>
void rejectUnknownCode(Picker<Value> picker, std::type_identity_t<Value> value,
                       const QString& setting) {
    if (picker({}, value).status == ChoicePick::Status::UnknownCode)
        raiseError(Gphoto2Error::BadValue,
                   QCoreApplication::translate("CameraSettings",
                                               "Недопустимое значение настройки «%1»: %2")
                       .arg(setting, QString::number(static_cast<qint64>(value))));
}

template <typename Value>
void setChoice(Gphoto2Session& session, std::initializer_list<const char*> names,
               const QString& setting, Picker<Value> picker, std::type_identity_t<Value> value) {
    rejectUnknownCode(picker, value, setting);
    const auto found = findEntry(session, names);
    if (!found)
        raiseLacksSetting(setting);
    writePick(session, *found, picker, value, setting);
}

} // namespace

std::optional<ImageSize> CameraSettings::imageSize() {
    const auto found = findEntry(session_, kImageSizeNames);
    return found ? imageSizeOf(found->entry.choices, found->entry.text) : std::nullopt;
}

void CameraSettings::setImageSize(ImageSize size) {
    setChoice(session_, kImageSizeNames, shown(kImageSize), imageSizeChoice, size);
}

void CameraSettings::setWhiteBalance(WhiteBalance balance) {
    setChoice(session_, kWhiteBalanceNames, shown(kWhiteBalance), whiteBalanceChoice, balance);
}

void CameraSettings::setIso(IsoSpeed speed) {
    rejectUnknownCode(isoChoice, speed, shown(kIso));
    const auto iso = findEntry(session_, kIsoNames);
    const auto autoIso = findEntry(session_, kAutoIsoNames);
    const IsoWrites writes =
        isoWrites(iso ? withCurrentFirst(iso->entry.choices, iso->entry.text) : QStringList(),
                  autoIso.has_value(), speed);
    if (writes.autoIsoSwitch)
        writeSwitch(session_, *autoIso, *writes.autoIsoSwitch, shown(kIso));
    if (!writes.writeIso)
        return;
    if (!iso)
        raiseLacksSetting(shown(kIso));
    writePick(session_, *iso, isoChoice, speed, shown(kIso));
}

void CameraSettings::setFlash(FlashMode mode) {
    setChoice(session_, kFlashNames, shown(kFlash), flashChoice, mode);
}

void CameraSettings::setFocusMode(FocusMode mode) {
    setChoice(session_, kFocusModeNames, shown(kFocusMode), focusModeChoice, mode);
}

void CameraSettings::setMonitorMode(MonitorMode mode) {
    rejectUnknownCode(monitorChoice, mode, shown(kMonitor));
    if (const auto found = findEntry(session_, kMonitorChoiceNames)) {
        writePick(session_, *found, monitorChoice, mode, shown(kMonitor));
        return;
    }
    const auto toggle = findEntry(session_, kMonitorToggleNames);
    if (!toggle)
        raiseLacksSetting(shown(kMonitor));
    const float wanted = mode == MonitorMode::Off ? 0.0f : 1.0f;
    if (toggle->entry.number != wanted)
        CameraConfig::writeNumber(session_, toggle->name, wanted, shown(kMonitor));
}

Exposure CameraSettings::exposure() {
    Exposure exposure;
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

void CameraSettings::setExposure(const Exposure& exposure) {
    const auto program = findEntry(session_, kProgramNames);
    bool manual = program && exposureMode(program->entry.text) == ExposureMode::Manual;
    if (exposure.mode == ExposureMode::Manual) {
        if (!program)
            raiseLacksSetting(shown(kExposureMode));
        writePick(session_, *program, programChoice, exposure.mode, shown(kExposureMode));
        manual = true;
    } else if (exposure.mode == ExposureMode::Automatic) {
        // The user's Av, Tv, Green, ... on the mode dial is automatic exposure too; a
        // camera without a program setting exposes by itself.
        if (program && !isAutomaticProgram(program->entry.text))
            writePick(session_, *program, programChoice, exposure.mode, shown(kExposureMode));
        manual = false;
    }
    if (!manual)
        return;
    if (exposure.aperture > 0) {
        const auto aperture = findEntry(session_, kApertureNames);
        if (!aperture)
            raiseLacksSetting(shown(kAperture));
        if (aperture->entry.kind != ConfigEntry::Kind::Range)
            writePick(session_, *aperture, apertureChoice, exposure.aperture, shown(kAperture));
        else if (std::lround(aperture->entry.number * 10) != exposure.aperture)
            CameraConfig::writeNumber(session_, aperture->name, exposure.aperture / 10.0f,
                                      shown(kAperture));
    }
    if (exposure.shutter > 0) {
        const auto shutter = findEntry(session_, kShutterNames);
        if (!shutter)
            raiseLacksSetting(shown(kShutter));
        writePick(session_, *shutter, shutterChoice, exposure.shutter, shown(kShutter));
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
