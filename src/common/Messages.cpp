#include "Messages.h"

#include "AppError.h"

#include <QCoreApplication>

namespace snapdeck {

Message errorMessage(const AppError& error) {
    Message message;
    // The source travels untranslated (kCameraSource ...) and is translated here, on
    // whichever thread builds the box.
    const QString source =
        QCoreApplication::translate("AppError", error.source().toUtf8().constData());
    message.text = source + QStringLiteral("\r\n") + error.description();
    if (!error.consequence().isEmpty())
        message.text += QStringLiteral("\r\n") + error.consequence();
    message.errorNumber = error.number();
    return message;
}

void showError(MessagePresenter& messages, const AppError& error) {
    messages.show(errorMessage(error));
}

} // namespace snapdeck
