#include "DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace snapdeck {

void DesktopNotifier::notify(const QString& summary, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Snapdeck") << uint(0) << QStringLiteral("snapdeck") << summary << body
         << QStringList() << QVariantMap() << int(-1);
    // Sent without waiting: the window never waits on the desktop either.
    bus.call(call, QDBus::NoBlock);
}

} // namespace snapdeck
