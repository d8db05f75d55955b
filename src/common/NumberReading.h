#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace snapdeck {

// The number at the start of a text, as typed into a box: blanks anywhere are
// ignored, an optional sign, digits with "." as the decimal point and an optional
// exponent; reading stops at the first character that cannot continue the number.
// A text without a number reads as 0. Never fails; a huge number reads as infinity.
double leadingNumber(const QString& text);

// Rounds to the nearest whole number, an exact half to the even neighbour.
double roundHalfEven(double value);

// The whole text (blanks around it allowed) as a real number, "." or "," as the
// decimal point; nothing when the text is not a number.
std::optional<double> readRealNumber(const QString& text);

// The whole text as a number rounded to a whole one (halves to even) that fits 16
// bits signed; nothing when the text is not a number or the number does not fit.
std::optional<std::int16_t> readWholeNumber16(const QString& text);

// A real number rounded (halves to even) into the 16-bit signed range, or nothing.
std::optional<std::int16_t> roundToInt16(double value);

} // namespace snapdeck
