#pragma once

#include "ChoicePick.h"

#include <QStringList>
#include <cstdint>

namespace snapdeck::gphoto2 {

// The program's ISO speeds, f-numbers (times ten), shutter times (microseconds) and
// exposure modes matched to the texts the camera offers ("100", "f/5.6", "0.0333s",
// "M"/"P"), and the camera's current texts read back into the program's numbers.
// Numbers are matched to the nearest the camera has, on a scale of stops.

// ISO: automatic is a choice saying "Auto", or PTP's 65535.
ChoicePick isoChoice(const QStringList& choices, IsoSpeed speed);

ChoicePick apertureChoice(const QStringList& choices, int aperture);
// f-number times ten of a text such as "f/5.6"; 0 when it holds no number.
int apertureCode(const QString& text);

ChoicePick shutterChoice(const QStringList& choices, std::int64_t microseconds);
// Microseconds of a shutter text, snapped to the nominal speed; 0 when it holds none.
std::int32_t shutterCode(const QString& text);

// Manual exposure is "M"; automatic is program mode, or full auto on a camera without
// it.
ChoicePick programChoice(const QStringList& choices, ExposureMode mode);
// True for a program in which the camera sets the exposure itself: P, Av/Tv, A/S,
// Green, Auto, scene modes, ... The user's choice among these is kept when the program
// asks for automatic exposure; bulb and movie modes take no timed picture.
bool isAutomaticProgram(const QString& text);
// Manual for a manual exposure program, automatic for any other.
ExposureMode exposureMode(const QString& text);

} // namespace snapdeck::gphoto2
