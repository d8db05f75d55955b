#pragma once

#include <QString>

namespace snapdeck::gphoto2 {

// The battery level in percent (0..100) from the camera's text: "80%", "Full",
// "Normal", "Half", "Low", "Empty", "AC adapter", ... A text that says nothing we
// understand counts as full: the battery bar ticks every second, and an error there
// would show a message every second.
int batteryPercent(const QString& text);

// The level of a battery entry that is a range (minimum..maximum) rather than a text.
int batteryPercent(float value, float minimum, float maximum);

} // namespace snapdeck::gphoto2
