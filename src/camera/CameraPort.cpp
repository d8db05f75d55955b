#include "CameraPort.h"

#include <QCoreApplication>
#include <QStringList>
#include <optional>

namespace snapdeck {

namespace {

const QString kUsb = QStringLiteral("usb:");
const QString kPtpIp = QStringLiteral("ptpip:");

// A plain decimal number in [minimum, maximum]; no sign, no spaces, no hex.
std::optional<int> decimal(const QString& text, int minimum, int maximum) {
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

// Four decimal parts of 0..255, written back without leading zeros: the library reads
// "010" as octal.
std::optional<QString> ipv4Address(const QString& text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    QStringList clean;
    for (const QString& part : parts) {
        if (part.size() > 3)
            return std::nullopt;
        const auto value = decimal(part, 0, 255);
        if (!value)
            return std::nullopt;
        clean << QString::number(*value);
    }
    return clean.join(u'.');
}

CameraPort refused(const QString& text, const QString& reason) {
    return {QString(), QStringLiteral("--port=%1: %2").arg(text, reason)};
}

CameraPort readUsb(const QString& text, const QString& rest) {
    const QStringList numbers = rest.split(u',');
    const auto bus = numbers.size() == 2 ? decimal(numbers[0], 1, 999) : std::nullopt;
    const auto device = numbers.size() == 2 ? decimal(numbers[1], 1, 999) : std::nullopt;
    if (!bus || !device)
        return refused(text, QCoreApplication::translate(
                                 "CameraPort", "needs the bus and device numbers as \"gphoto2 "
                                               "--auto-detect\" lists them, e.g. "
                                               "--port=usb:001,005"));
    // The library finds the camera by this exact text.
    return {
        QStringLiteral("usb:%1,%2").arg(*bus, 3, 10, QChar(u'0')).arg(*device, 3, 10, QChar(u'0')),
        QString()};
}

CameraPort readPtpIp(const QString& text, const QString& rest) {
    const QStringList parts = rest.split(u':');
    const std::optional<QString> address = ipv4Address(parts[0]);
    if (!address || parts.size() > 3)
        return refused(text, QCoreApplication::translate(
                                 "CameraPort", "needs the camera's IPv4 address (host names are "
                                               "not looked up), e.g. --port=ptpip:192.168.1.10 "
                                               "or --port=ptpip:192.168.1.10:15740:15740"));
    if (parts.size() == 1)
        return {kPtpIp + *address, QString()}; // the library's own 15740 for both
    const auto port = decimal(parts[1], 1, 65535);
    const auto eventPort = parts.size() == 3 ? decimal(parts[2], 1, 65535) : port;
    if (!port || !eventPort)
        return refused(text, QCoreApplication::translate("CameraPort",
                                                         "ports run from 1 to 65535, e.g. "
                                                         "--port=ptpip:192.168.1.10:15740:15740"));
    // Given one port, the library would still look for the events on 15740.
    return {QStringLiteral("%1%2:%3:%4").arg(kPtpIp, *address).arg(*port).arg(*eventPort),
            QString()};
}

} // namespace

CameraPort readCameraPort(const QString& text) {
    if (text.startsWith(kUsb, Qt::CaseInsensitive))
        return readUsb(text, text.mid(kUsb.size()));
    if (text.startsWith(kPtpIp, Qt::CaseInsensitive))
        return readPtpIp(text, text.mid(kPtpIp.size()));
    return refused(text, QCoreApplication::translate(
                             "CameraPort", "not a port Snapdeck can use (USB and PTP/IP cameras "
                                           "only), e.g. --port=usb:001,005 or "
                                           "--port=ptpip:192.168.1.10"));
}

} // namespace snapdeck
