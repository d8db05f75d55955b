#pragma once

#include <QCoreApplication>
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
    QStringList buttons = {QCoreApplication::translate("Message", "OK")};
    int errorNumber = 0; // shown last and small, for support; 0: none
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

// The error message box: the source as the user knows it ("Камера", "Диск", "FTP"),
// CR LF, the description, and, where there is one, CR LF and what became of the
// picture or what to do; the number last and small; OK only, no icon, the program's
// title.
Message errorMessage(const AppError& error);
void showError(MessagePresenter& messages, const AppError& error);

} // namespace snapdeck
