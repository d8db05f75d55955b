#include "Accessibility.h"

#include <QLabel>

namespace snapdeck {

void labelControl(QLabel* caption, QWidget* control, const QString& name) {
    caption->setBuddy(control);
    control->setAccessibleName(name.isEmpty() ? withoutMnemonic(caption->text()) : name);
}

void nameControl(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
}

void nameValue(QWidget* value, const QString& caption, const QString& text) {
    const QString name = withoutMnemonic(caption) + QStringLiteral(": ") + text;
    if (value->accessibleName() != name)
        value->setAccessibleName(name);
}

QString withoutMnemonic(const QString& caption) {
    QString words;
    words.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i; // "&x" is x, "&&" is "&"
        words += caption[i];
    }
    return words;
}

} // namespace snapdeck
