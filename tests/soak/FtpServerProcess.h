#pragma once

#include <QProcess>
#include <QString>

namespace snapdeck::soak {

// The upload tests' FTP server (pyftpdlib, tests/engine/upload/ftp_server.py) run
// with the system's Python on 127.0.0.1, serving one folder that outlives the process,
// so that the server can be stopped, killed and started again on the same port with
// the pictures it already received.
class FtpServerProcess {
public:
    FtpServerProcess(QString root, QString eventsFile, QString user, QString password);
    ~FtpServerProcess();

    // Port 0: any free port, kept for the next starts. "silentCommand": a command the
    // server receives and never answers. False when it did not come up.
    bool start(int port = 0, const QString& silentCommand = {});
    void stop(); // as the script ends itself: its input closes
    void kill(); // SIGKILL, no goodbye
    bool running() const { return process_.state() != QProcess::NotRunning; }
    qint64 processId() const { return process_.processId(); }
    QString eventsFile() const { return eventsFile_; }
    int port() const { return port_; }
    QString failure() const { return failure_; }

private:
    QString root_;
    QString eventsFile_;
    QString user_;
    QString password_;
    QProcess process_;
    int port_ = 0;
    QString failure_;
};

} // namespace snapdeck::soak
