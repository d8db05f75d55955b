// The program's start-up as main() does it, on the simulated camera, reporting each
// moment it reaches on standard output ("STAGE NANOSECONDS", the monotonic clock that
// startup_bench reads too) and quitting once the window has painted.
//
//   startup_probe            the program's main window
//   startup_probe --empty    an empty Qt window: what any Qt Widgets program pays

#include "app/Globals.h"
#include "app/MainWindow.h"
#include "app/QtMessagePresenter.h"
#include "app/Services.h"
#include "camera/CameraFactory.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"
#include "ftp/LoadFtpSettings.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <time.h>

using namespace snapdeck;

namespace {

void stage(const char* name) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("%s %lld\n", name,
                static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
}

// Quits at the first paint, once the paint cycle it belongs to has finished.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                stage("painted");
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    stage("main");
    const bool empty = argc > 1 && std::strcmp(argv[1], "--empty") == 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Snapdeck"));
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    // A message box would wait for a user: give up instead.
    QTimer::singleShot(30000, [] { QApplication::exit(3); });
    stage("app");

    if (empty) {
        QWidget window;
        window.resize(1280, 800);
        stage("built");
        stage("loaded");
        window.show();
        stage("shown");
        return QApplication::exec();
    }

    QtMessagePresenter messages;
    Globals globals;
    if (!LoadFtpSettings(globals.ftp, WorkFolder(), messages))
        return 1;
    std::unique_ptr<CameraControl> camera =
        createCamera(CameraOptions{QStringLiteral("simulator"), QString()});
    SystemClock clock;
    WorkFolder folder;
    Services services{*camera, messages, clock, folder, QLocale::system()};
    MainWindow window(services, globals);
    messages.setParentWindow(&window);
    stage("built");
    window.Form_Load();
    stage("loaded");
    window.show();
    stage("shown");
    return QApplication::exec();
}
