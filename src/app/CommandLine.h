#pragma once

#include "CameraFactory.h"
#include "Translations.h"
#include "ui/Screenshot.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

namespace snapdeck {

struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    CameraOptions camera;
    QString screenshotPath; // --screenshot: save the window as a picture and quit
    ScreenshotOf screenshotOf = ScreenshotOf::MainWindow; // --screenshot-of
    QString stationFile;                   // --station: run headless from this configuration file
    bool checkOnly = false;                // --check: only check the station's configuration
    QStringList ignored;                   // arguments that are no option (a file manager's files)
    Language language = Language::Russian; // --lang, else what the environment asks for

    // Reads the program's arguments (the first being the program). On a bad argument
    // "error" receives the message and nothing is returned; --help and --version set "helpText",
    // the text to print. The texts are in the language of the translators installed.
    static std::optional<CommandLine>
    parse(const QStringList& arguments, QString* error, QString* helpText,
          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
    // The language the arguments and the environment ask for, read before anything else
    // so that even a refusal of the command line is in it: --lang's when it names one,
    // else the environment's.
    static Language languageAskedFor(const QStringList& arguments,
                                     const QProcessEnvironment& environment);
};

} // namespace snapdeck
