// The program's start-up as main() does it, on the simulated camera, reporting each
// moment it reaches on standard output ("STAGE NANOSECONDS", the monotonic clock that
// startup_bench reads too) and quitting once the window shows the camera's state.
//
//   startup_probe            the program's main window
//   startup_probe --empty    an empty Qt window: what any Qt Widgets program pays

#include "app/CameraFactory.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/ObserverOnThread.h"
#include "engine/upload/FtpSettingsFile.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"
#include "ui/QtMessagePresenter.h"

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

// Notes the first paint, once the paint cycle it belongs to has finished.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [this] {
                stage("painted");
                if (then)
                    then();
            });
        }
        return QObject::eventFilter(watched, event);
    }
    std::function<void()> then;

private:
    bool seen_ = false;
};

bool picturesShown(MainWindow& window) {
    for (PictureBox* box : window.findChildren<PictureBox*>())
        if (box->decoding())
            return false;
    return true;
}

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
        window.show();
        stage("shown");
        firstPaint.then = [] {
            stage("loaded");
            stage("ready");
            QApplication::quit();
        };
        return QApplication::exec();
    }

    QtMessagePresenter messages;
    const WorkFolder folder;
    FtpSettings ftp;
    if (!loadFtpSettings(ftp, folder, messages))
        return 1;
    std::unique_ptr<Camera> camera =
        createCamera(CameraOptions{QStringLiteral("simulator"), QString()});
    SystemClock clock;
    auto engine = std::make_unique<EngineHost>(
        std::make_unique<Engine>(
            EngineServices{*camera, messages, clock, folder, QLocale::system()}, ftp),
        EngineHost::Threading::OwnThread);
    MainWindow window(*engine, messages, ftp, folder);
    messages.setParentWindow(&window);
    ObserverOnThread observer(window, &window);
    engine->post([&observer](Engine& e) { e.setObserver(observer); });
    stage("built");

    window.show();
    window.load();
    stage("shown");
    // Ready: start-up has run in the engine, its preview is decoded and the window has
    // painted what it was told.
    bool loaded = false;
    bool painted = false;
    auto readyOnceBoth = [&] {
        if (!loaded || !painted)
            return;
        while (!picturesShown(window))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        stage("ready");
        QApplication::quit();
    };
    firstPaint.then = [&] {
        painted = true;
        readyOnceBoth();
    };
    engine->whenDone(&window, [&] {
        stage("loaded");
        loaded = true;
        readyOnceBoth();
    });
    const int status = QApplication::exec();
    engine.reset();
    return status;
}
