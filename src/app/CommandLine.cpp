#include "CommandLine.h"

#include "camera/CameraPort.h"

#include <QCommandLineParser>

// The project's version, given by CMake.
#ifndef SNAPDECK_VERSION
#error "SNAPDECK_VERSION is not defined"
#endif

namespace snapdeck {

std::optional<CommandLine> CommandLine::parse(const QStringList& arguments, QString* error,
                                              QString* helpText) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Snapdeck drives a camera tethered to this computer: settings, preview, "
                       "capture, interval shooting and upload to an FTP server.\n"
                       "Files are written into the current folder."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and quit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and quit."));
    const QCommandLineOption camera(
        QStringLiteral("camera"),
        QStringLiteral("The camera to use: \"gphoto2\" (a real camera through libgphoto2, "
                       "the default), \"simulator\" (the built-in simulated camera), "
                       "\"simulator:FOLDER\" (its memory card kept in FOLDER, optional "
                       "FOLDER/camera.ini; renaming FOLDER unplugs it)."),
        QStringLiteral("CAMERA"));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Where a real camera is connected, for cameras that are not found "
                       "by themselves: usb:BUS,DEVICE (e.g. usb:001,005), ptpip:ADDRESS "
                       "(port 15740), ptpip:ADDRESS:PORT or ptpip:ADDRESS:PORT:EVENTPORT; "
                       "ADDRESS is the camera's IPv4 address."),
        QStringLiteral("PORT"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Start, take one picture, save the window as a PNG file and quit "
                       "(for documentation)."),
        QStringLiteral("FILE"));
    const QCommandLineOption screenshotOf(
        QStringLiteral("screenshot-of"),
        QStringLiteral("With --screenshot: the window to save, \"main\" (the default) or "
                       "\"ftp-settings\"."),
        QStringLiteral("WINDOW"), QStringLiteral("main"));
    const QCommandLineOption station(
        QStringLiteral("station"),
        QStringLiteral("Run without a window, as an unattended time-lapse or webcam station, "
                       "from the configuration FILE (see station.ini.example); no display "
                       "needed."),
        QStringLiteral("FILE"));
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("With --station: only check FILE and quit "
                                                  "(status 0 when it is good, 2 when not)."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(camera);
    parser.addOption(port);
    parser.addOption(screenshot);
    parser.addOption(screenshotOf);
    parser.addOption(station);
    parser.addOption(check);

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    CommandLine result;
    // A file manager passes the files it was asked to open: the program has none to
    // open, and says so without refusing to start.
    if (!parser.positionalArguments().isEmpty())
        result.ignored = parser.positionalArguments();
    if (parser.isSet(help)) {
        // Read before any application object exists: the parser cannot know our name.
        *helpText = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                              QStringLiteral("snapdeck"));
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        // Printed as the help is: on standard output, status 0, no display needed.
        *helpText = QStringLiteral("snapdeck " SNAPDECK_VERSION);
        return std::nullopt;
    }
    result.camera.camera = parser.value(camera);
    result.camera.port = parser.value(port);
    result.screenshotPath = parser.value(screenshot);
    const QString shotOf = parser.value(screenshotOf);
    if (shotOf == QStringLiteral("ftp-settings")) {
        result.screenshotOf = ScreenshotOf::FtpSettings;
    } else if (shotOf != QStringLiteral("main")) {
        *error = QStringLiteral("--screenshot-of takes \"main\" or \"ftp-settings\", not \"%1\"")
                     .arg(shotOf);
        return std::nullopt;
    }
    if (parser.isSet(screenshotOf) && result.screenshotPath.isEmpty()) {
        *error = QStringLiteral("--screenshot-of goes with --screenshot=FILE");
        return std::nullopt;
    }
    result.stationFile = parser.value(station);
    result.checkOnly = parser.isSet(check);
    if (result.checkOnly && result.stationFile.isEmpty()) {
        *error = QStringLiteral("--check checks a station's configuration: give --station=FILE");
        return std::nullopt;
    }
    if (!result.stationFile.isEmpty() &&
        (parser.isSet(camera) || parser.isSet(port) || parser.isSet(screenshot))) {
        *error = QStringLiteral("--station takes the camera from its configuration file; "
                                "--camera, --port and --screenshot are for the window");
        return std::nullopt;
    }
    // Refused here, before anything is read or opened.
    *error = parser.isSet(port) && result.camera.port.isEmpty()
                 ? readCameraPort(QString()).problem
                 : cameraOptionsProblem(result.camera);
    if (!error->isEmpty())
        return std::nullopt;
    return result;
}

} // namespace snapdeck
