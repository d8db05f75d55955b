#pragma once

#include <QList>
#include <QProcess>
#include <QString>

namespace snapdeck::bench {

// The tests' PTP/IP camera (tests/camera/gphoto2/ptpip/ptpip_camera.py) in a process of its
// own on 127.0.0.1, so that our backend and the gphoto2 tool can be timed against the
// same camera. It starts with the object and stops with it.
class PtpIpCamera {
public:
    PtpIpCamera();
    ~PtpIpCamera();

    bool ready() const { return port_ > 0; }
    // "ptpip:127.0.0.1:PORT:PORT", for --port and for Gphoto2Options::port.
    QString portPath() const;
    // Sends one control command and returns the camera's answer line.
    QString command(const QString& line);
    // When the camera received each "initiate capture" so far, in milliseconds of its
    // own monotonic clock: the same clock for our backend and for the gphoto2 tool.
    QList<double> captureMoments();

private:
    QString readLine();

    QProcess process_;
    int port_ = 0;
};

} // namespace snapdeck::bench
