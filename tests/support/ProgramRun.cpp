#include "ProgramRun.h"

#include <QProcess>
#include <QTemporaryDir>

namespace snapdeck::test {

Finished runWithoutDisplay(const QString& program, const QStringList& arguments,
                           QProcessEnvironment environment) {
    QTemporaryDir runtimeDir; // else Qt warns about its absence on standard error
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Finished finished;
    if (!process.waitForStarted())
        return finished;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return finished;
    }
    finished.normalExit = process.exitStatus() == QProcess::NormalExit;
    finished.status = process.exitCode();
    finished.output = QString::fromUtf8(process.readAllStandardOutput());
    finished.errors = QString::fromUtf8(process.readAllStandardError());
    return finished;
}

} // namespace snapdeck::test
