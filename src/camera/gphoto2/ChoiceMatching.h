#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace snapdeck::gphoto2 {

// Helpers for matching the program's setting codes to the texts a camera offers.

// The first number in a text: "f/5.6" -> 5.6, "ISO 100" -> 100, "0,0333s" -> 0.0333.
// Both "." and "," count as the decimal point, whatever the locale.
std::optional<double> firstNumber(const QString& text);

// The lower-case words of a text: "Red-eye automatic" -> red, eye, automatic.
QStringList wordsOf(const QString& text);

// The index of the value nearest to "target" on a logarithmic scale (a stop is a
// stop, whether at f/2.8 or at f/22), or -1 when "values" holds no positive value.
// On a tie the smaller value wins.
int nearestOnLogScale(const QList<double>& values, double target);

// The camera's choices with its current value first (added when it is not among them).
// The matching takes the first of choices that serve a code equally, so the value
// already set wins: a setting that is already right is not written (on a read-only
// dial it could not be), and the user's own choice among equals is kept.
QStringList withCurrentFirst(const QStringList& choices, const QString& current);

} // namespace snapdeck::gphoto2
