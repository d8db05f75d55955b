#include "CameraFactory.h"
#include "CommandLine.h"
#include "Translations.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/ObserverOnThread.h"
#include "engine/upload/FtpSettingsFile.h"
#include "station/Station.h"
#include "station/StationConfig.h"
#include "ui/MainWindow.h"
#include "ui/QtMessagePresenter.h"
#include "ui/Screenshot.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

using namespace snapdeck;

namespace {

// The translators go in once the application object exists and before any other thread
// starts: the engine, the camera library and the uploads read them from their own
// threads afterwards, and nothing changes them under them.
void speak(Language language, QtTexts qt = QtTexts::Translated) {
    if (!installTranslations(language, qt) && language == Language::English)
        std::fputs("snapdeck: the English translation (snapdeck_en.qm) is missing; the "
                   "program speaks Russian\n",
                   stderr);
}

// A file manager passes the files it was asked to open: the program has none to open,
// and says so without refusing to start.
void sayIgnored(const CommandLine& commandLine) {
    if (!commandLine.ignored.isEmpty())
        std::fprintf(stderr, "snapdeck: %s\n",
                     qPrintable(QCoreApplication::translate(
                                    "main", "ignored (the program opens no files): %1")
                                    .arg(commandLine.ignored.join(u' '))));
}

// The station: its configuration read and checked before anything starts; no display
// is needed (the simulated camera draws offscreen). The application object comes first
// so that even the configuration's faults are told in the user's language; --check
// needs no more than Qt's core.
int runAsStation(const CommandLine& commandLine, int argc, char* argv[]) {
    std::unique_ptr<QCoreApplication> app;
    if (commandLine.checkOnly) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("Snapdeck"));
    speak(commandLine.language);
    sayIgnored(commandLine);

    QString error;
    const std::optional<StationConfig> config = readStationConfig(commandLine.stationFile, &error);
    if (!config) {
        std::fprintf(stderr, "snapdeck: %s\n", qPrintable(error));
        return 2;
    }
    if (commandLine.checkOnly) {
        std::printf("%s\n",
                    qPrintable(QCoreApplication::translate("main", "%1: the configuration is good")
                                   .arg(commandLine.stationFile)));
        return 0;
    }
    std::unique_ptr<Camera> camera;
    try {
        camera = createCamera({config->camera.camera, config->camera.port});
    } catch (const std::exception& bad) {
        std::fprintf(stderr, "snapdeck: %s\n", bad.what());
        return 2;
    }
    return runStation(*config, std::move(camera));
}

// The window, with the engine on its own thread.
int runWindow(const CommandLine& commandLine, int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Snapdeck"));
    // Wayland desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.snapdeck.Snapdeck"));
    speak(commandLine.language);
    sayIgnored(commandLine);

    QtMessagePresenter messages;
    // A screenshot run has nobody to answer a box: it must end by itself.
    messages.setUnattended(!commandLine.screenshotPath.isEmpty());
    const WorkFolder folder; // the current folder
    FtpSettings ftp;
    // Before anything opens: a broken ftp.ini ends the program with the error message box.
    if (!loadFtpSettings(ftp, folder, messages))
        return 1;

    std::unique_ptr<Camera> camera;
    try {
        camera = createCamera(commandLine.camera);
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
    if (!commandLine.screenshotPath.isEmpty())
        saveScreenshotWhenReady(window, *engine, commandLine.screenshotPath,
                                commandLine.screenshotOf, [&status](int code) { status = code; });
    const int loopStatus = QApplication::exec();
    // The engine's thread ends first: it talks to the window until then.
    engine.reset();
    return status != 0 ? status : loopStatus;
}

} // namespace

// Reads the command line before anything that needs a display, then runs the window or
// the station.
int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString error;
    QString help;
    const std::optional<CommandLine> commandLine = CommandLine::parse(arguments, &error, &help);
    if (!commandLine) {
        // The help or the refusal, in the language asked for: Qt's core, which needs no
        // display, carries the translators while the command line is read again. Qt's
        // own words in the help ("Usage:", "Options:") stay as the program's are.
        QCoreApplication app(argc, argv);
        speak(CommandLine::languageAskedFor(arguments, QProcessEnvironment::systemEnvironment()),
              QtTexts::AsTheyAre);
        error.clear();
        help.clear();
        CommandLine::parse(arguments, &error, &help);
        std::fputs(qPrintable((help.isEmpty() ? error : help) + u'\n'),
                   help.isEmpty() ? stderr : stdout);
        return help.isEmpty() ? 2 : 0;
    }
    if (!commandLine->stationFile.isEmpty())
        return runAsStation(*commandLine, argc, argv);
    return runWindow(*commandLine, argc, argv);
}
