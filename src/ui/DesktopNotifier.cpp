#include "DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QThreadPool>
#include <QVariantMap>

namespace snapdeck {

// The first use of the session bus connects to it and waits for its answer (or starts a
// bus): all of it runs on a worker, so the window never waits on the desktop.
void DesktopNotifier::notify(const QString& summary, const QString& body) {
    QThreadPool::globalInstance()->start([summary, body] {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
        call << QStringLiteral("Snapdeck") << uint(0) << QStringLiteral("snapdeck") << summary
             << body << QStringList() << QVariantMap() << int(-1);
        bus.send(call); // no answer is wanted
    });
}

} // namespace snapdeck
