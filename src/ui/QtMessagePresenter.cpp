#include "QtMessagePresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <cstdio>

namespace snapdeck {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int QtMessagePresenter::show(const Message& message) {
    if (unattended_) {
        QString text = message.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::fprintf(stderr, "snapdeck: %s\n", qPrintable(text));
        // The last button is the way out ("Прекратить попытки"): the first would keep
        // trying, and a camera that never answers would ask again for ever.
        return int(message.buttons.size()) - 1;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (QThread::currentThread() == app->thread())
        return showHere(message);
    int answer = -1;
    QMetaObject::invokeMethod(
        app, [&] { answer = showHere(message); }, Qt::BlockingQueuedConnection);
    return answer;
}

int QtMessagePresenter::showHere(const Message& message) {
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The error number goes last and small: it is for support, not for the user. The
    // words around it come from cameras and servers too, so they are escaped, never
    // read as markup.
    Qt::TextFormat format = Qt::PlainText;
    if (message.errorNumber != 0) {
        text = text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")) +
               QStringLiteral("<br><small>%1</small>")
                   .arg(QCoreApplication::translate("QtMessagePresenter", "Код ошибки: %1")
                            .arg(message.errorNumber));
        format = Qt::RichText;
    }
    // On top of the window the user is in, such as the FTP settings, not behind it.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal ? modal : parent_.data();
    QMessageBox box(boxIcon(message.icon), message.title, text, QMessageBox::NoButton, owner);
    box.setTextFormat(format);
    QList<QPushButton*> buttons;
    for (const QString& caption : message.buttons)
        buttons.append(box.addButton(caption, buttons.isEmpty() ? QMessageBox::AcceptRole
                                                                : QMessageBox::RejectRole));
    if (!buttons.isEmpty()) {
        box.setDefaultButton(buttons.first());
        box.setEscapeButton(buttons.last());
    }
    box.exec();
    const int chosen = static_cast<int>(buttons.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : static_cast<int>(buttons.size()) - 1;
}

} // namespace snapdeck
