#include "LackGatherer.h"

#include "camera/CameraError.h"

namespace snapdeck {

namespace {

// The error box's first line, the source, and the rest.
std::pair<QString, QString> splitSource(const QString& text) {
    const qsizetype end = text.indexOf(QStringLiteral("\r\n"));
    if (end < 0)
        return {QString(), text};
    return {text.left(end), text.mid(end + 2)};
}

} // namespace

int LackGatherer::show(const Message& message) {
    if (!gathering_ || message.errorNumber != kCameraLacksIt)
        return messages_.show(message);
    gathered_.append(message);
    return 0;
}

void LackGatherer::startGathering() {
    gathering_ = true;
    gathered_.clear();
}

void LackGatherer::showGathered() {
    gathering_ = false;
    const QList<Message> gathered = std::exchange(gathered_, {});
    if (gathered.isEmpty())
        return;
    if (gathered.size() == 1) {
        messages_.show(gathered.front());
        return;
    }
    Message together = gathered.front();
    QString text = splitSource(together.text).first + QStringLiteral("\r\n") +
                   tr("Камера умеет не все, что программа ей задает при запуске:");
    for (const Message& lack : gathered)
        text += QStringLiteral("\r\n- ") + splitSource(lack.text).second;
    text += QStringLiteral("\r\n") + tr("Остальное работает.");
    together.text = text;
    messages_.show(together);
}

} // namespace snapdeck
