#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QString error;
};

// The program as a user starts it for its documentation pictures: offscreen, in a
// folder of its own, the simulated camera's card in "card".
Outcome runProgram(const QTemporaryDir& folder, const QStringList& arguments) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder.path());
    program.start(QStringLiteral(SNAPDECK_PROGRAM), arguments);
    if (!program.waitForStarted() || !program.waitForFinished(60000)) {
        // What it printed before it hung says where it stopped.
        program.kill();
        program.waitForFinished();
        return {-1, QStringLiteral("did not end within 60 s; it printed: ") +
                        QString::fromUtf8(program.readAllStandardError())};
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardError())};
}

} // namespace

// --screenshot saves the main window or the FTP settings window whole, and a run
// that meets a message box (no camera) ends by itself with the box's words on standard
// error instead of waiting for someone to answer it.
TEST(ScreenshotRun, SavesTheChosenWindowAndNeverWaitsForAnAnswer) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString card = folder.filePath(QStringLiteral("card"));
    ASSERT_TRUE(QDir().mkpath(card));
    const QString camera = QStringLiteral("--camera=simulator:") + card;

    const QString main = folder.filePath(QStringLiteral("main.png"));
    Outcome run = runProgram(folder, {camera, QStringLiteral("--screenshot=") + main});
    EXPECT_EQ(run.status, 0) << run.error.toStdString();
    const QImage window(main);
    EXPECT_GE(window.width(), 1280);
    EXPECT_LT(window.width(), 1366) << "the window fits a laptop's screen";
    EXPECT_EQ(window.height(), 800);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("image.jpg")))) << "one picture taken";

    const QString settings = folder.filePath(QStringLiteral("ftp.png"));
    run = runProgram(folder, {camera, QStringLiteral("--screenshot=") + settings,
                              QStringLiteral("--screenshot-of=ftp-settings")});
    EXPECT_EQ(run.status, 0) << run.error.toStdString();
    const QImage dialog(settings);
    EXPECT_FALSE(dialog.isNull());
    EXPECT_LT(dialog.width(), 1280) << "the settings window, not the main one";

    QFile ini(card + QStringLiteral("/camera.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("cameras=0\n");
    ini.close();
    run = runProgram(folder, {camera, QStringLiteral("--screenshot=") +
                                          folder.filePath(QStringLiteral("none.png"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.error.contains(QStringLiteral("Камера не обнаружена!")))
        << run.error.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("none.png"))));

    // A camera that never answers (its card folder is gone: unplugged) asks "Камера не
    // подключена!"; the run takes the way out instead of asking again for ever.
    const QString unplugged =
        QStringLiteral("--camera=simulator:") + folder.filePath(QStringLiteral("no-such-card"));
    const QString gone = folder.filePath(QStringLiteral("unplugged.png"));
    run = runProgram(folder, {unplugged, QStringLiteral("--screenshot=") + gone});
    EXPECT_NE(run.status, -1) << run.error.toStdString();
    EXPECT_TRUE(run.error.contains(QStringLiteral("Камера не подключена!")))
        << run.error.toStdString();
    EXPECT_LT(run.error.count(QStringLiteral("Камера не подключена!")), 5)
        << run.error.left(2000).toStdString();

    EXPECT_EQ(runProgram(folder, {QStringLiteral("--screenshot-of=all")}).status, 2);
}
