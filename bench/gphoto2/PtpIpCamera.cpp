#include "PtpIpCamera.h"

namespace snapdeck::bench {

namespace {
constexpr int kAnswerWaitMs = 10000;
}

PtpIpCamera::PtpIpCamera() {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-u"), QStringLiteral(SNAPDECK_PTPIP_CAMERA)});
    if (!process_.waitForStarted(kAnswerWaitMs))
        return;
    const QString ready = readLine();
    if (ready.startsWith(QStringLiteral("READY ")))
        port_ = ready.mid(6).toInt();
}

PtpIpCamera::~PtpIpCamera() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.write("quit\n");
    process_.closeWriteChannel();
    if (!process_.waitForFinished(kAnswerWaitMs)) {
        process_.kill();
        process_.waitForFinished(kAnswerWaitMs);
    }
}

QString PtpIpCamera::portPath() const {
    return QStringLiteral("ptpip:127.0.0.1:%1:%1").arg(port_);
}

QString PtpIpCamera::command(const QString& line) {
    process_.write((line + u'\n').toUtf8());
    return readLine();
}

QList<double> PtpIpCamera::captureMoments() {
    const QString answer = command(QStringLiteral("optimes 100e"));
    QList<double> moments;
    if (!answer.startsWith(QStringLiteral("OK")))
        return moments;
    for (const QString& seconds : answer.mid(2).trimmed().split(u',', Qt::SkipEmptyParts))
        moments.append(seconds.toDouble() * 1000.0);
    return moments;
}

QString PtpIpCamera::readLine() {
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(kAnswerWaitMs))
            return {};
    }
    return QString::fromUtf8(process_.readLine()).trimmed();
}

} // namespace snapdeck::bench
