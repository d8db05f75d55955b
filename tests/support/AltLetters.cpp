#include "AltLetters.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <map>

namespace snapdeck::test {

std::optional<QChar> altLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return std::nullopt;
}

AltLetters altLettersOf(QWidget& window) {
    AltLetters found;
    std::map<QChar, QString> actions;
    const auto clash = [&](const QString& caption, const QString& other) {
        found.faults << QStringLiteral("\"%1\" and \"%2\"").arg(caption, other);
    };
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->objectName().isEmpty())
            continue; // Qt's own parts
        const std::optional<QChar> letter = altLetter(button->text());
        if (!letter) {
            found.faults << QStringLiteral("\"%1\" has no letter").arg(button->text());
            continue;
        }
        if (actions.contains(*letter))
            clash(button->text(), actions[*letter]);
        actions[*letter] = button->text();
    }
    found.actions = int(actions.size());
    for (QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        std::map<QChar, QString> inFrame;
        for (QLabel* label : frame->findChildren<QLabel*>()) {
            if (!label->buddy())
                continue;
            ++found.captions;
            const std::optional<QChar> letter = altLetter(label->text());
            if (!letter) {
                found.faults << QStringLiteral("\"%1\" has no letter").arg(label->text());
                continue;
            }
            if (actions.contains(*letter))
                clash(label->text(), actions[*letter]);
            if (inFrame.contains(*letter))
                clash(label->text(), inFrame[*letter]);
            inFrame[*letter] = label->text();
        }
    }
    return found;
}

} // namespace snapdeck::test
