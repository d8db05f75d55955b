#pragma once

#include <QObject>
#include <functional>

class QLabel;

namespace snapdeck::soak {

// Watches the upload's status label: when the window paints "Отсылаем файл..." the
// upload is logged in, in its folder and about to send the picture.
class SendingWatch : public QObject {
public:
    SendingWatch(QLabel& label, std::function<void()> aboutToSend);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel& label_;
    std::function<void()> aboutToSend_;
};

} // namespace snapdeck::soak
