#pragma once

#include <QByteArray>
#include <QString>

namespace snapdeck {

// Tells systemd how the station is doing, over the socket NOTIFY_SOCKET names
// (sd_notify): READY once the configuration is checked, WATCHDOG while the engine's
// thread is alive, STOPPING when told to stop, STATUS lines for "systemctl status".
// Does nothing when the station does not run under systemd.
class ServiceNotifier {
public:
    void ready();
    void watchdog();
    void stopping();
    void status(const QString& text);

private:
    void notify(const QByteArray& message);
};

} // namespace snapdeck
