#include "ServiceNotifier.h"

#include <systemd/sd-daemon.h>

namespace snapdeck {

void ServiceNotifier::notify(const QByteArray& message) {
    // Without NOTIFY_SOCKET sd_notify does nothing and says so; nothing to report.
    sd_notify(0, message.constData());
}

void ServiceNotifier::ready() {
    notify("READY=1");
}

void ServiceNotifier::watchdog() {
    notify("WATCHDOG=1");
}

void ServiceNotifier::stopping() {
    notify("STOPPING=1");
}

void ServiceNotifier::status(const QString& text) {
    notify("STATUS=" + text.toUtf8().replace('\n', ' '));
}

} // namespace snapdeck
