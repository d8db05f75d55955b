#include "CameraFactory.h"
#include "CommandLine.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/ObserverOnThread.h"
#include "engine/upload/FtpSettingsFile.h"
#include "ui/MainWindow.h"
#include "ui/QtMessagePresenter.h"
#include "ui/Screenshot.h"

#include <QApplication>
#include <cstdio>

using namespace snapdeck;

// Reads the command line, picks the camera, then starts the engine on its own thread
// and shows the main window, which loads the camera through it.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Snapdeck"));

    QString error;
    QString help;
    const std::optional<CommandLine> commandLine =
        CommandLine::parse(QApplication::arguments(), &error, &help);
    if (!commandLine) {
        std::fputs(qPrintable((help.isEmpty() ? error : help) + u'\n'),
                   help.isEmpty() ? stderr : stdout);
        return help.isEmpty() ? 2 : 0;
    }

    QtMessagePresenter messages;
    const WorkFolder folder; // the current folder
    FtpSettings ftp;
    // Before anything opens: a broken ftp.ini ends the program with the error message box.
    if (!loadFtpSettings(ftp, folder, messages))
        return 1;

    std::unique_ptr<Camera> camera;
    try {
        camera = createCamera(commandLine->camera);
    } catch (const std::exception& bad) {
        std::fprintf(stderr, "snapdeck: %s\n", bad.what());
        return 2;
    }

    SystemClock clock;
    auto engine = std::make_unique<EngineHost>(
        std::make_unique<Engine>(
            EngineServices{*camera, messages, clock, folder, QLocale::system()}, ftp),
        EngineHost::Threading::OwnThread);
    MainWindow window(*engine, messages, ftp, folder);
    messages.setParentWindow(&window);
    ObserverOnThread observer(window, &window);
    engine->post([&observer](Engine& e) { e.setObserver(observer); });

    window.show();
    window.load();
    int status = 0;
    if (!commandLine->screenshotPath.isEmpty())
        saveScreenshotWhenReady(window, *engine, commandLine->screenshotPath,
                                [&status](int code) { status = code; });
    const int loopStatus = QApplication::exec();
    // The engine's thread ends first: it talks to the window until then.
    engine.reset();
    return status != 0 ? status : loopStatus;
}
