#include "CommandLine.h"
#include "Globals.h"
#include "MainWindow.h"
#include "QtMessagePresenter.h"
#include "Screenshot.h"
#include "Services.h"
#include "camera/CameraFactory.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"
#include "ftp/LoadFtpSettings.h"

#include <QApplication>
#include <cstdio>

using namespace snapdeck;

// Main: reads the command line, picks the camera, then loads and shows the main window.
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
    Globals globals;
    // Before anything opens: a broken ftp.ini ends the program with the error message box.
    if (!LoadFtpSettings(globals.ftp, WorkFolder(), messages))
        return 1;

    std::unique_ptr<CameraControl> camera;
    try {
        camera = createCamera(commandLine->camera);
    } catch (const std::exception& bad) {
        std::fprintf(stderr, "snapdeck: %s\n", bad.what());
        return 2;
    }

    SystemClock clock;
    WorkFolder folder;
    Services services{*camera, messages, clock, folder, QLocale::system()};

    MainWindow window(services, globals);
    messages.setParentWindow(&window);
    window.Form_Load();
    window.show();
    if (!commandLine->screenshotPath.isEmpty())
        return saveScreenshot(window, commandLine->screenshotPath);
    return QApplication::exec();
}
