#include "Messages.h"

#include "AppError.h"

namespace snapdeck {

Message errorMessage(const AppError& error) {
    Message message;
    message.text = error.source() + QStringLiteral("\r\n") + error.description();
    if (!error.consequence().isEmpty())
        message.text += QStringLiteral("\r\n") + error.consequence();
    message.errorNumber = error.number();
    return message;
}

void showError(MessagePresenter& messages, const AppError& error) {
    messages.show(errorMessage(error));
}

} // namespace snapdeck
