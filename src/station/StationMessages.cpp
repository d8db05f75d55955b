#include "StationMessages.h"

#include "StationLog.h"

namespace snapdeck {

int StationMessages::show(const Message& message) {
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
    text = text.simplified();
    if (message.errorNumber != 0)
        text += QStringLiteral(" (%1)").arg(message.errorNumber);
    log_.write(QStringLiteral("message: ") + text);
    {
        std::lock_guard lock(mutex_);
        last_ = Said{text, now_()};
    }
    // The last button is the way out where there is a choice.
    return message.buttons.isEmpty() ? 0 : int(message.buttons.size()) - 1;
}

std::optional<StationMessages::Said> StationMessages::last() const {
    std::lock_guard lock(mutex_);
    return last_;
}

} // namespace snapdeck
