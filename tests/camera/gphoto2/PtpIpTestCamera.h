#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace snapdeck::test {

// Our PTP/IP camera (tests/camera/gphoto2/ptpip/ptpip_camera.py) in a process of its own,
// listening on 127.0.0.1. It starts with the object and stops with it.
class PtpIpTestCamera {
public:
    // "options" are the camera's command-line options ("--readonly", "500E", ...).
    explicit PtpIpTestCamera(const QStringList& options = {});
    ~PtpIpTestCamera();

    int port() const { return port_; }
    // The --port value that reaches it: "ptpip:127.0.0.1:PORT:PORT".
    QString portPath() const;

    // Sends a control command ("prop 5007", "fault stall", ...) and returns the answer
    // after "OK"; a failed command fails the test.
    QString command(const QString& line);
    // The camera's current raw value of a PTP property ("5007" -> "560").
    QString property(const QString& code) { return command(QStringLiteral("prop ") + code); }
    // The raw values the host wrote to a property, oldest first.
    QStringList writes(const QString& code);
    QStringList files();

private:
    QString readLine();

    QProcess process_;
    int port_ = 0;
};

} // namespace snapdeck::test
