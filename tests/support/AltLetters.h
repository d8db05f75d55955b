#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace snapdeck::test {

// The letter after a single "&", upper case; nothing when the caption has none.
std::optional<QChar> altLetter(const QString& caption);

// The window's keyboard rule: every button, check box and caption has an Alt letter; a
// button's or a check box's is its own in the whole window (Alt with it acts at once); a
// caption's is no button's and no other caption's of its frame (Alt with it moves the
// focus). "faults" names each caption that breaks it.
struct AltLetters {
    int actions = 0;
    int captions = 0;
    QStringList faults;
};
AltLetters altLettersOf(QWidget& window);

} // namespace snapdeck::test
