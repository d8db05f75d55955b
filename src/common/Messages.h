#pragma once

#include <QString>
#include <QStringList>

namespace snapdeck {

enum class MessageIcon { None, Critical, Exclamation, Information };

// One modal message: its text exactly as the program words it (lines joined by
// CR LF), the window title, the icon and the button captions, the first being the
// default.
struct Message {
    QString text;
    QString title = QStringLiteral("Snapdeck");
    MessageIcon icon = MessageIcon::None;
    QStringList buttons = {QStringLiteral("OK")};
};

// Every message box of the program goes through this seam, so that tests can read and
// answer them. show() blocks until the user answers and returns the index of the
// button chosen.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual int show(const Message& message) = 0;
};

class AppError;

// The error message box: source, CR LF, description, CR LF, number; OK only, no icon,
// the program's title.
Message errorMessage(const AppError& error);
void showError(MessagePresenter& messages, const AppError& error);

} // namespace snapdeck
