#include "CommandLine.h"

#include "camera/CameraPort.h"

#include <QCommandLineParser>

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
    parser.addOption(help);
    parser.addOption(camera);
    parser.addOption(port);
    parser.addOption(screenshot);

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error =
            QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        *helpText = parser.helpText();
        return std::nullopt;
    }
    CommandLine result;
    result.camera.camera = parser.value(camera);
    result.camera.port = parser.value(port);
    result.screenshotPath = parser.value(screenshot);
    // Refused here, before anything is read or opened.
    *error = parser.isSet(port) && result.camera.port.isEmpty()
                 ? readCameraPort(QString()).problem
                 : cameraOptionsProblem(result.camera);
    if (!error->isEmpty())
        return std::nullopt;
    return result;
}

} // namespace snapdeck
