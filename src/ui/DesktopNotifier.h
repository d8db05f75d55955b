#pragma once

#include <QString>

namespace snapdeck {

// Tells someone at the desk, without their staring at the window, through the desktop's
// notifications (org.freedesktop.Notifications on the session bus). Never waits for an
// answer; does nothing where there is no session bus or no notification service.
class DesktopNotifier {
public:
    void notify(const QString& summary, const QString& body);
};

} // namespace snapdeck
