#pragma once

#include "CameraFactory.h"
#include "ui/Screenshot.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace snapdeck {

struct CommandLine {
    CameraOptions camera;
    QString screenshotPath; // --screenshot: save the window as a picture and quit
    ScreenshotOf screenshotOf = ScreenshotOf::MainWindow; // --screenshot-of
    QString stationFile;    // --station: run headless from this configuration file
    bool checkOnly = false; // --check: only check the station's configuration
    QStringList ignored;    // arguments that are no option (a file manager's files)

    // Reads the program's arguments (the first being the program). On a bad argument
    // "error" receives the message and nothing is returned; --help and --version set "helpText",
    // the text to print.
    static std::optional<CommandLine> parse(const QStringList& arguments, QString* error,
                                            QString* helpText);
};

} // namespace snapdeck
