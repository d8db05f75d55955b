#include "FtpServerProcess.h"

namespace snapdeck::soak {

FtpServerProcess::FtpServerProcess(QString root, QString eventsFile, QString user, QString password)
    : root_(std::move(root)), eventsFile_(std::move(eventsFile)), user_(std::move(user)),
      password_(std::move(password)) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

FtpServerProcess::~FtpServerProcess() {
    stop();
}

bool FtpServerProcess::start(int port, const QString& silentCommand) {
    stop();
    const QStringList arguments{QStringLiteral(SNAPDECK_SOAK_FTP_SERVER),
                                QStringLiteral("--root"),
                                root_,
                                QStringLiteral("--events"),
                                eventsFile_,
                                QStringLiteral("--user"),
                                user_,
                                QStringLiteral("--password"),
                                password_,
                                QStringLiteral("--port"),
                                QString::number(port),
                                QStringLiteral("--silent"),
                                silentCommand};
    process_.start(QStringLiteral("/usr/bin/python3"), arguments);
    QByteArray output;
    while (!output.contains('\n') && process_.waitForReadyRead(15000))
        output += process_.readAllStandardOutput();
    const int listening = output.startsWith("port ") ? output.mid(5).trimmed().toInt() : 0;
    if (listening == 0) {
        failure_ = QStringLiteral("ftp_server.py did not start on port %1: %2")
                       .arg(port)
                       .arg(QString::fromUtf8(output));
        kill();
        return false;
    }
    port_ = listening;
    return true;
}

void FtpServerProcess::stop() {
    if (!running())
        return;
    process_.closeWriteChannel(); // the script ends when its input closes
    if (!process_.waitForFinished(5000))
        process_.kill();
    process_.waitForFinished(5000);
}

void FtpServerProcess::kill() {
    if (!running())
        return;
    process_.kill();
    process_.waitForFinished(5000);
}

} // namespace snapdeck::soak
