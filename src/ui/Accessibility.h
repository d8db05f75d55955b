#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace snapdeck {

// Ties a caption to its control: the label becomes the control's buddy (Alt with the
// caption's underlined letter reaches it), and screen readers announce the control by
// the caption's words, or by "name" when the caption's text changes while the program
// runs.
void labelControl(QLabel* caption, QWidget* control, const QString& name = {});

// Names a control that has no caption of its own beside it.
void nameControl(QWidget* control, const QString& name);

// A value shown beside its caption ("Кадров осталось"): screen readers announce both,
// "Кадров осталось: 400", and hear the new value when it changes.
void nameValue(QWidget* value, const QString& caption, const QString& text);

// A caption's words without the "&" that marks its Alt letter ("&&" is a plain "&").
QString withoutMnemonic(const QString& caption);

} // namespace snapdeck
