#pragma once

#include "camera/CameraSettings.h"

#include <QStringList>
#include <optional>

namespace snapdeck::gphoto2 {

// Some cameras (Nikon) offer no "Auto" among their ISO choices but a separate on/off
// entry, "autoiso": there automatic ISO is that switch on, and a set ISO is the switch
// off and the value.
struct IsoWrites {
    std::optional<bool> autoIsoSwitch; // the switch's new state; nothing: leave it alone
    bool writeIso = true;              // whether the ISO entry itself is written
};

// What to write for the ISO speed on a camera with these ISO choices, with or without
// an automatic-ISO switch.
IsoWrites isoWrites(const QStringList& isoChoices, bool hasAutoIsoSwitch, IsoSpeed speed);

// The choice of an on/off entry ("On"/"Off") that means "on" or "off"; nothing when
// the entry offers none.
std::optional<QString> switchChoice(const QStringList& choices, bool on);

} // namespace snapdeck::gphoto2
