#pragma once

#include "FtpSettings.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace snapdeck {

// "ftp.ini": one setting a line, an 8-character key (colon included) followed at once
// by the value. These are the keys in the order Save writes them.
inline const std::array<QString, 7> kFtpIniKeys = {
    QStringLiteral("URLHost:"), QStringLiteral("SrvPort:"), QStringLiteral("UsLogin:"),
    QStringLiteral("Passwrd:"), QStringLiteral("TypeSrv:"), QStringLiteral("FTPUDir:"),
    QStringLiteral("NmeFile:")};

inline const QString kFtpIniFileName = QStringLiteral("ftp.ini");

// The seven values as written after the keys: the texts, the port as typed and the
// service position in decimal.
using FtpIniValues = std::array<QString, 7>;

// A port as typed: its leading number, halves rounded to even; nothing outside 0..65535.
std::optional<std::int32_t> portFromText(const QString& text);
// A service position as stored: any 16-bit number.
std::optional<std::int32_t> serviceFromText(const QString& text);

// The file's bytes as text: UTF-8 when they are valid UTF-8, else Windows-1251, the
// code page of files written on Russian Windows.
QString decodeFtpIni(const QByteArray& bytes);

// Reads the lines over "settings": a key repeated later wins, unknown and short lines
// are skipped. Raises AppError for a port or service position out of range.
void readFtpIniText(const QString& text, FtpSettings& settings);

// The seven lines, UTF-8, each ending in CR LF.
QByteArray ftpIniBytes(const FtpIniValues& values);

} // namespace snapdeck
