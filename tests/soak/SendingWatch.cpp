#include "SendingWatch.h"

#include <QEvent>
#include <QLabel>

namespace snapdeck::soak {

SendingWatch::SendingWatch(QLabel& label, std::function<void()> aboutToSend)
    : label_(label), aboutToSend_(std::move(aboutToSend)) {
    label_.installEventFilter(this);
}

bool SendingWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &label_ && event->type() == QEvent::Paint &&
        label_.text() == QStringLiteral("Отсылаем файл..."))
        aboutToSend_();
    return false;
}

} // namespace snapdeck::soak
