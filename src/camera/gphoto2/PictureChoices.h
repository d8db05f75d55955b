#pragma once

#include "ChoicePick.h"

#include <QStringList>

namespace snapdeck::gphoto2 {

// The program's codes for image size, white balance, flash, focus mode and monitor
// mode, matched by meaning to the texts the camera offers (libgphoto2's English
// texts: "1600x1200", "Daylight", "Red-eye automatic", "Automatic Macro", ...). Where
// the camera has no exact match the nearest meaning is taken.

// Image size: the camera's size nearest in pixel count. Sizes named without pixels
// ("Large", "Medium 1", "S2", ...) are spread in their order over the program's sizes,
// largest to largest and smallest to smallest.
ChoicePick imageSizeChoice(const QStringList& choices, int code);
// The code of the camera's current size among its choices: imageSizeChoice() with the
// current size first (withCurrentFirst) takes that code back to the same size. -1 for a
// text that is no size.
int imageSizeCode(const QStringList& choices, const QString& current);

// White balance: the same light, else the light nearest in colour temperature.
ChoicePick whiteBalanceChoice(const QStringList& choices, int code);

// Flash: red-eye falls back to automatic, slow sync to forced flash.
ChoicePick flashChoice(const QStringList& choices, int code);

// Focus mode: macro falls back to automatic.
ChoicePick focusModeChoice(const QStringList& choices, int code);

// Monitor mode of a choice entry such as "output" (TFT / Off): review uses the screen
// as "on" does.
ChoicePick monitorChoice(const QStringList& choices, int code);

} // namespace snapdeck::gphoto2
