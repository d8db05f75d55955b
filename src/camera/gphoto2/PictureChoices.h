#pragma once

#include "ChoicePick.h"

#include <QStringList>
#include <optional>

namespace snapdeck::gphoto2 {

// The program's image sizes, white balances, flash, focus and monitor modes, matched
// by meaning to the texts the camera offers (libgphoto2's English
// texts: "1600x1200", "Daylight", "Red-eye automatic", "Automatic Macro", ...). Where
// the camera has no exact match the nearest meaning is taken.

// Image size: the camera's size nearest in pixel count. Sizes named without pixels
// ("Large", "Medium 1", "S2", ...) are spread in their order over the program's sizes,
// largest to largest and smallest to smallest.
ChoicePick imageSizeChoice(const QStringList& choices, ImageSize size);
// The program's size for the camera's current size among its choices: imageSizeChoice()
// with the current size first (withCurrentFirst) takes it back to the same size.
// Nothing for a text that is no size.
std::optional<ImageSize> imageSizeOf(const QStringList& choices, const QString& current);

// White balance: the same light, else the light nearest in colour temperature.
ChoicePick whiteBalanceChoice(const QStringList& choices, WhiteBalance balance);

// Flash: red-eye falls back to automatic, slow sync to forced flash.
ChoicePick flashChoice(const QStringList& choices, FlashMode mode);

// Focus mode: macro falls back to automatic.
ChoicePick focusModeChoice(const QStringList& choices, FocusMode mode);

// Monitor mode of a choice entry such as "output" (TFT / Off): review uses the screen
// as "on" does.
ChoicePick monitorChoice(const QStringList& choices, MonitorMode mode);

} // namespace snapdeck::gphoto2
