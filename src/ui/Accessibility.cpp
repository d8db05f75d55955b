#include "Accessibility.h"

#include <QLabel>

namespace snapdeck {

void labelControl(QLabel* caption, QWidget* control, const QString& name) {
    caption->setBuddy(control);
    control->setAccessibleName(name.isEmpty() ? caption->text() : name);
}

void nameControl(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
}

} // namespace snapdeck
