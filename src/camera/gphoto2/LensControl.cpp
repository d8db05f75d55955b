#include "LensControl.h"

#include "CameraConfig.h"
#include "ChoiceMatching.h"
#include "Gphoto2Errors.h"
#include "LibraryThread.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace snapdeck::gphoto2 {

namespace {

// The sliders' names as the window shows them, for messages.
QString zoomName() {
    return QCoreApplication::translate("LensControl", "Увеличение");
}
QString focusName() {
    return QCoreApplication::translate("LensControl", "Фокусировка");
}

struct Lens {
    const char* name;
    ConfigEntry entry;
};

std::optional<Lens> findLens(Gphoto2Session& session, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (auto entry = CameraConfig::read(session, name))
            return Lens{name, *entry};
    return std::nullopt;
}

// A lens entry's range: a range entry's own, or that of the numbers among its choices.
std::optional<CameraRange> rangeOf(const ConfigEntry& entry) {
    if (entry.kind == ConfigEntry::Kind::Range)
        return CameraRange{entry.minimum, entry.maximum, entry.step};
    std::optional<CameraRange> range;
    for (const QString& choice : entry.choices) {
        if (const auto value = firstNumber(choice)) {
            const float number = float(*value);
            if (!range)
                range = CameraRange{number, number, 0};
            range->minimum = std::min(range->minimum, number);
            range->maximum = std::max(range->maximum, number);
        }
    }
    return range;
}

float currentValue(const ConfigEntry& entry) {
    if (entry.kind == ConfigEntry::Kind::Range)
        return entry.number;
    return float(firstNumber(entry.text).value_or(0));
}

void checkPosition(int position, SliderScale scale, const QString& setting) {
    if (position < scale.first || position > scale.last)
        raiseError(Gphoto2Error::BadValue,
                   QCoreApplication::translate("LensControl", "Положение «%1» вне шкалы %2..%3: %4")
                       .arg(setting, QString::number(scale.first), QString::number(scale.last),
                            QString::number(position)));
}

// libgphoto2 shows a PTP focus distance range divided by 100 but writes the number
// back as it is; what we write must be on the camera's own scale.
float writtenScale(const Lens& lens) {
    return qstrcmp(lens.name, "focusdistance") == 0 ? 100.0f : 1.0f;
}

// Moves an absolute lens entry to the slider position.
void moveTo(Gphoto2Session& session, const Lens& lens, int position, SliderScale scale,
            const QString& setting) {
    const auto range = rangeOf(lens.entry);
    if (!range)
        raiseLacksSetting(setting);
    // A lens already at the position stays; a DSLR's focal length, which only the
    // zoom ring moves, is read-only and can only be asked for where it is.
    if (sliderPosition(currentValue(lens.entry), scale, *range) == position)
        return;
    const float target = cameraValue(position, scale, *range);
    if (lens.entry.kind == ConfigEntry::Kind::Range) {
        if (lens.entry.number != target)
            CameraConfig::writeNumber(session, lens.name, target * writtenScale(lens), setting);
        return;
    }
    QString nearest;
    float distance = 0;
    for (const QString& choice : lens.entry.choices) {
        const auto value = firstNumber(choice);
        if (value && (nearest.isEmpty() || std::abs(float(*value) - target) < distance)) {
            nearest = choice;
            distance = std::abs(float(*value) - target);
        }
    }
    if (nearest != lens.entry.text)
        CameraConfig::writeChoice(session, lens.name, nearest, setting);
}

} // namespace

int LensControl::zoom() {
    const auto lens = findLens(session_, {"focallength", "zoom"});
    const auto range = lens ? rangeOf(lens->entry) : std::nullopt;
    if (!range)
        return kZoomScale.first;
    return sliderPosition(currentValue(lens->entry), kZoomScale, *range);
}

void LensControl::setZoom(int position) {
    checkPosition(position, kZoomScale, zoomName());
    const auto lens = findLens(session_, {"focallength", "zoom"});
    if (!lens)
        raiseLacksSetting(zoomName());
    moveTo(session_, *lens, position, kZoomScale, zoomName());
}

int LensControl::focus() {
    const auto lens = findLens(session_, {"focusdistance"});
    const auto range = lens ? rangeOf(lens->entry) : std::nullopt;
    if (!range)
        return counter_.position();
    return sliderPosition(currentValue(lens->entry), kFocusScale, *range);
}

void LensControl::setFocus(int position, CallSignals& callSignals) {
    checkPosition(position, kFocusScale, focusName());
    if (const auto lens = findLens(session_, {"focusdistance"})) {
        moveTo(session_, *lens, position, kFocusScale, focusName());
        return;
    }
    const auto drive = findLens(session_, {"manualfocusdrive"});
    if (!drive)
        raiseLacksSetting(focusName());
    const int units = counter_.unitsTo(position);
    if (drive->entry.kind == ConfigEntry::Kind::Range) {
        // The whole slider drives the lens across the drive's largest step.
        const float perUnit = drive->entry.maximum / float(kFocusScale.last - kFocusScale.first);
        if (units != 0)
            CameraConfig::writeNumber(session_, drive->name, units * perUnit, focusName());
    } else {
        // Step drives ("Near 1" .. "Far 3"): one smallest step per slider position.
        const QString step = units > 0 ? QStringLiteral("Far 1") : QStringLiteral("Near 1");
        if (units != 0 && !drive->entry.choices.contains(step))
            raiseLacksSetting(focusName());
        for (int i = 0; i < std::abs(units); ++i) {
            CameraConfig::writeChoice(session_, drive->name, step, focusName());
            callSignals.alive();
        }
    }
    counter_.arrivedAt(position);
}

} // namespace snapdeck::gphoto2
