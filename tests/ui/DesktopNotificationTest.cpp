#include "engine/schedule/ScheduleForm.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QVariantMap>

using namespace snapdeck;

namespace {

// The desktop's notification service, played by the test on a session bus of its own
// (the test runs under dbus-run-session): it keeps every notification it is sent.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        QString application, summary, body;
    };
    QList<Shown> shown;

public slots:
    Q_SCRIPTABLE uint Notify(const QString& application, uint, const QString&,
                             const QString& summary, const QString& body, const QStringList&,
                             const QVariantMap&, int) {
        shown.append({application, summary, body});
        return uint(shown.size());
    }
};

class DesktopNotificationTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        QDBusConnection bus = QDBusConnection::sessionBus();
        ASSERT_TRUE(bus.isConnected()) << "run under dbus-run-session";
        ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                       QDBusConnection::ExportScriptableSlots));
        ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }
    void TearDown() override {
        QDBusConnection::sessionBus().unregisterService(
            QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::sessionBus().unregisterObject(
            QStringLiteral("/org/freedesktop/Notifications"));
        WindowFixture::TearDown();
    }
    // The call goes through the bus daemon and back to this very process.
    bool waitForNotification() {
        QElapsedTimer waited;
        waited.start();
        while (service.shown.isEmpty() && waited.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return !service.shown.isEmpty();
    }

    NotificationService service;
};

} // namespace

// Someone at the desk learns that an unattended run has stopped without staring at the
// window: the desktop shows why.
TEST_F(DesktopNotificationTest, ARunThatStopsByItselfIsToldOnTheDesktop) {
    load();
    ScheduleForm form = scheduleStartValues(clock.now());
    form.stopAfterCount = true;
    form.count = QStringLiteral("1");
    engine().setSchedule(form);
    engine().setIntervalShooting(true);
    clock.advance(30);
    engine().intervalTick();
    ASSERT_FALSE(engine().state().interval.on);
    ASSERT_TRUE(waitForNotification());
    EXPECT_EQ(service.shown[0].application, QStringLiteral("Snapdeck"));
    EXPECT_EQ(service.shown[0].summary, QStringLiteral("Интервальная съемка остановлена"));
    EXPECT_EQ(service.shown[0].body, QStringLiteral("Снято 1 снимков."));
}

TEST_F(DesktopNotificationTest, SwitchingARunOffIsNoNews) {
    load();
    engine().setIntervalShooting(true);
    engine().setIntervalShooting(false);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 200)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(service.shown.isEmpty());
}

#include "DesktopNotificationTest.moc"
