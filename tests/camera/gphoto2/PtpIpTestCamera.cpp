#include "PtpIpTestCamera.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace snapdeck::test {

namespace {
constexpr int kAnswerWaitMs = 10000;
}

PtpIpTestCamera::PtpIpTestCamera(const QStringList& options) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("/usr/bin/python3"),
                   QStringList{QStringLiteral("-u"), QStringLiteral(SNAPDECK_PTPIP_CAMERA)} +
                       options);
    if (!process_.waitForStarted(kAnswerWaitMs))
        throw std::runtime_error("the PTP/IP test camera did not start");
    const QString ready = readLine();
    if (!ready.startsWith(QStringLiteral("READY ")))
        throw std::runtime_error("the PTP/IP test camera did not get ready: " +
                                 ready.toStdString());
    port_ = ready.mid(6).toInt();
}

PtpIpTestCamera::~PtpIpTestCamera() {
    process_.write("quit\n");
    process_.closeWriteChannel();
    if (!process_.waitForFinished(kAnswerWaitMs)) {
        process_.kill();
        process_.waitForFinished(kAnswerWaitMs);
    }
}

QString PtpIpTestCamera::portPath() const {
    return QStringLiteral("ptpip:127.0.0.1:%1:%1").arg(port_);
}

QString PtpIpTestCamera::readLine() {
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(kAnswerWaitMs))
            return QStringLiteral("(no answer from the test camera)");
    }
    return QString::fromUtf8(process_.readLine()).trimmed();
}

QString PtpIpTestCamera::command(const QString& line) {
    process_.write((line + u'\n').toUtf8());
    const QString answer = readLine();
    EXPECT_TRUE(answer.startsWith(QStringLiteral("OK")))
        << line.toStdString() << " -> " << answer.toStdString();
    return answer.mid(3);
}

QStringList PtpIpTestCamera::writes(const QString& code) {
    return command(QStringLiteral("writes ") + code).split(u',', Qt::SkipEmptyParts);
}

QStringList PtpIpTestCamera::files() {
    return command(QStringLiteral("files")).split(u',', Qt::SkipEmptyParts);
}

} // namespace snapdeck::test
