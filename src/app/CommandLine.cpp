#include "CommandLine.h"

#include "camera/CameraPort.h"

#include <QCommandLineParser>

// The project's version, given by CMake.
#ifndef SNAPDECK_VERSION
#error "SNAPDECK_VERSION is not defined"
#endif

namespace snapdeck {

namespace {

const QString kLang = QStringLiteral("lang");

} // namespace

Language CommandLine::languageAskedFor(const QStringList& arguments,
                                       const QProcessEnvironment& environment) {
    // As the parser reads it: "--lang=en" or "--lang en", the last one counting, no
    // option after "--".
    std::optional<QString> named;
    const QString withValue = QStringLiteral("--") + kLang + u'=';
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--"))
            break;
        if (argument.startsWith(withValue))
            named = argument.mid(withValue.size());
        else if (argument == QStringLiteral("--") + kLang && i + 1 < arguments.size())
            named = arguments[++i];
    }
    if (named)
        if (const std::optional<Language> language = languageNamed(*named))
            return *language;
    return languageFromEnvironment(environment);
}

std::optional<CommandLine> CommandLine::parse(const QStringList& arguments, QString* error,
                                              QString* helpText,
                                              const QProcessEnvironment& environment) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Snapdeck drives a camera tethered to this computer: settings, preview, "
           "capture, interval shooting and upload to an FTP server.\n"
           "Files are written into the current folder."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  tr("Show this help and quit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     tr("Show the program's version and quit."));
    const QCommandLineOption camera(
        QStringLiteral("camera"),
        tr("The camera to use: \"gphoto2\" (a real camera through libgphoto2, "
           "the default), \"simulator\" (the built-in simulated camera), "
           "\"simulator:FOLDER\" (its memory card kept in FOLDER, optional "
           "FOLDER/camera.ini; renaming FOLDER unplugs it)."),
        tr("CAMERA"));
    const QCommandLineOption port(
        QStringLiteral("port"),
        tr("Where a real camera is connected, for cameras that are not found "
           "by themselves: usb:BUS,DEVICE (e.g. usb:001,005), ptpip:ADDRESS "
           "(port 15740), ptpip:ADDRESS:PORT or ptpip:ADDRESS:PORT:EVENTPORT; "
           "ADDRESS is the camera's IPv4 address."),
        tr("PORT"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        tr("Start, take one picture, save the window as a PNG file and quit "
           "(for documentation)."),
        tr("FILE"));
    const QCommandLineOption screenshotOf(
        QStringLiteral("screenshot-of"),
        tr("With --screenshot: the window to save, \"main\" (the default) or "
           "\"ftp-settings\"."),
        tr("WINDOW"), QStringLiteral("main"));
    const QCommandLineOption station(
        QStringLiteral("station"),
        tr("Run without a window, as an unattended time-lapse or webcam station, "
           "from the configuration FILE (see station.ini.example); no display "
           "needed."),
        tr("FILE"));
    const QCommandLineOption check(QStringLiteral("check"),
                                   tr("With --station: only check FILE and quit "
                                      "(status 0 when it is good, 2 when not)."));
    const QCommandLineOption lang(kLang,
                                  tr("The program's language: ru (Russian) or en (English). "
                                     "Without it, English when LC_ALL, LC_MESSAGES or LANG "
                                     "(the first of them that is set) starts with \"en\", "
                                     "else Russian."),
                                  tr("LANGUAGE"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(camera);
    parser.addOption(port);
    parser.addOption(screenshot);
    parser.addOption(screenshotOf);
    parser.addOption(station);
    parser.addOption(check);
    parser.addOption(lang);

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    CommandLine result;
    if (parser.isSet(lang)) {
        const std::optional<Language> named = languageNamed(parser.value(lang));
        if (!named) {
            *error = tr("--lang=%1: the program speaks ru (Russian) and en (English)")
                         .arg(parser.value(lang));
            return std::nullopt;
        }
        result.language = *named;
    } else {
        result.language = languageFromEnvironment(environment);
    }
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
        *error = tr("--screenshot-of takes \"main\" or \"ftp-settings\", not \"%1\"").arg(shotOf);
        return std::nullopt;
    }
    if (parser.isSet(screenshotOf) && result.screenshotPath.isEmpty()) {
        *error = tr("--screenshot-of goes with --screenshot=FILE");
        return std::nullopt;
    }
    result.stationFile = parser.value(station);
    result.checkOnly = parser.isSet(check);
    if (result.checkOnly && result.stationFile.isEmpty()) {
        *error = tr("--check checks a station's configuration: give --station=FILE");
        return std::nullopt;
    }
    if (!result.stationFile.isEmpty() &&
        (parser.isSet(camera) || parser.isSet(port) || parser.isSet(screenshot))) {
        *error = tr("--station takes the camera from its configuration file; "
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
