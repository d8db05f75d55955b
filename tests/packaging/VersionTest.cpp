#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Finished {
    bool normalExit = false;
    int status = -1;
    QString output;
    QString errors;
};

// Runs the program where no display can be reached: on the X11 platform with no DISPLAY,
// any window, or any Qt application object that needs a screen, ends it with an error.
Finished runWithoutDisplay(const QStringList& arguments) {
    QTemporaryDir runtimeDir; // else Qt warns about its absence on standard error
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SNAPDECK_PROGRAM), arguments);
    Finished finished;
    if (!program.waitForStarted())
        return finished;
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        return finished;
    }
    finished.normalExit = program.exitStatus() == QProcess::NormalExit;
    finished.status = program.exitCode();
    finished.output = QString::fromUtf8(program.readAllStandardOutput());
    finished.errors = QString::fromUtf8(program.readAllStandardError());
    return finished;
}

} // namespace

// Packaging scripts, bug reports and a station's operator over ssh ask the version where
// there is no display: one line on standard output with the project's version, status 0.
TEST(Version, IsOneLineOnStandardOutputWithoutADisplay) {
    for (const char* option : {"--version", "-v"}) {
        const Finished run = runWithoutDisplay({QString::fromLatin1(option)});
        EXPECT_TRUE(run.normalExit) << option;
        EXPECT_EQ(run.status, 0) << option;
        EXPECT_EQ(run.output.toStdString(), "snapdeck " SNAPDECK_EXPECTED_VERSION "\n") << option;
        EXPECT_EQ(run.errors.toStdString(), "") << option;
    }
    const Finished help = runWithoutDisplay({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.output.contains(QStringLiteral("--version"))) << help.output.toStdString();
}

// The check above means something only if a window really cannot start here.
TEST(Version, TheWindowCannotStartWhereTheVersionIsAsked) {
    const Finished window = runWithoutDisplay({QStringLiteral("--camera=simulator")});
    EXPECT_FALSE(window.normalExit && window.status == 0) << window.output.toStdString();
}
