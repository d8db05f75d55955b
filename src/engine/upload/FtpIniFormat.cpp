#include "FtpIniFormat.h"

#include "common/AppError.h"
#include "common/NumberReading.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <cmath>

namespace snapdeck {

namespace {

std::optional<std::int32_t> wholeNumberIn(const QString& text, double lowest, double highest) {
    const double value = roundHalfEven(leadingNumber(text));
    if (!(value >= lowest && value <= highest))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// Leading and trailing spaces, as the line's length rule counts them.
qsizetype lengthWithoutOuterSpaces(const QString& line) {
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && line[first] == u' ')
        ++first;
    while (last > first && line[last - 1] == u' ')
        --last;
    return last - first;
}

// The number read from a key's value, or the error that makes the file unreadable.
std::int32_t numberInRange(const QString& key, const QString& value,
                           std::optional<std::int32_t> number, const QString& range) {
    if (!number)
        throw AppError(ErrorNumber::Overflow, kAppErrorSource,
                       QCoreApplication::translate(
                           "FtpIniFormat", "В файле %1 значение %2%3 вне допустимых пределов (%4).")
                           .arg(kFtpIniFileName, key, value, range));
    return *number;
}

} // namespace

std::optional<std::int32_t> portFromText(const QString& text) {
    return wholeNumberIn(text, 0, 65535);
}

// Any 16-bit number loads; one that is no entry of the list is refused by the upload
// with its own message, and the settings window shows no entry for it.
std::optional<std::int32_t> serviceFromText(const QString& text) {
    return wholeNumberIn(text, -32768, 32767);
}

QString decodeFtpIni(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1251("windows-1251");
    if (!windows1251.isValid())
        throw AppError(
            ErrorNumber::FileAccess, kAppErrorSource,
            QCoreApplication::translate("FtpIniFormat",
                                        "Кодировка Windows-1251 недоступна: файл %1 не прочитан.")
                .arg(kFtpIniFileName));
    return windows1251.decode(bytes);
}

void readFtpIniText(const QString& text, FtpSettings& settings) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : text.split(lineEnd)) {
        const QString key = line.left(8);
        const QString value = line.mid(8, lengthWithoutOuterSpaces(line));
        if (key == kFtpIniKeys[0]) {
            settings.FtpHost = value;
        } else if (key == kFtpIniKeys[1]) {
            settings.FtpPort =
                numberInRange(key, value, portFromText(value),
                              QCoreApplication::translate("FtpIniFormat", "от 0 до 65535"));
        } else if (key == kFtpIniKeys[2]) {
            settings.FtpLogin = value;
        } else if (key == kFtpIniKeys[3]) {
            settings.FtpPassword = value;
        } else if (key == kFtpIniKeys[4]) {
            settings.FtpServiceType =
                numberInRange(key, value, serviceFromText(value),
                              QCoreApplication::translate("FtpIniFormat", "от -32768 до 32767"));
        } else if (key == kFtpIniKeys[5]) {
            settings.FtpDirectory = value;
        } else if (key == kFtpIniKeys[6]) {
            settings.FtpFileName = value;
        }
    }
}

QByteArray ftpIniBytes(const FtpIniValues& values) {
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]"));
    QByteArray bytes;
    for (std::size_t i = 0; i < kFtpIniKeys.size(); ++i) {
        // A value never spans lines: a pasted line break would start a line of its own.
        QString value = values[i];
        value.remove(lineBreaks);
        bytes += (kFtpIniKeys[i] + value).toUtf8() + "\r\n";
    }
    return bytes;
}

} // namespace snapdeck
