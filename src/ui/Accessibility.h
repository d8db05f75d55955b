#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace snapdeck {

// Ties a caption to its control: the label becomes the control's buddy, and screen
// readers announce the control by the caption's text, or by "name" when the caption's
// text changes while the program runs.
void labelControl(QLabel* caption, QWidget* control, const QString& name = {});

// Names a control that has no caption of its own beside it.
void nameControl(QWidget* control, const QString& name);

} // namespace snapdeck
