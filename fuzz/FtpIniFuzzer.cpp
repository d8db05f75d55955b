// The ftp.ini reader on arbitrary bytes (UTF-8, Windows-1251 or neither), and the file
// the settings window saves read back to the seven values it keeps in memory.
#include "FuzzText.h"
#include "common/AppError.h"
#include "engine/upload/FtpIniFormat.h"

#include <QRegularExpression>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

using namespace snapdeck;

namespace {

[[noreturn]] void fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

// Reads the text; false when the reader refused it with the out-of-range error.
bool readOrRefuse(const QString& text, FtpSettings& settings) {
    try {
        readFtpIniText(text, settings);
        return true;
    } catch (const AppError& error) {
        if (error.number() != ErrorNumber::Overflow)
            fail("an error other than out of range", error.description());
        return false;
    }
}

bool hasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

void checkAnyBytes(const QByteArray& bytes) {
    const QString text = decodeFtpIni(bytes);
    FtpSettings whole;
    const bool read = readOrRefuse(text, whole);
    if (read) {
        if (whole.FtpPort < 0 || whole.FtpPort > 65535)
            fail("port out of range", QString::number(whole.FtpPort));
        if (whole.FtpServiceType < -32768 || whole.FtpServiceType > 32767)
            fail("service out of range", QString::number(whole.FtpServiceType));
        for (const QString* value : {&whole.FtpHost, &whole.FtpLogin, &whole.FtpPassword,
                                     &whole.FtpDirectory, &whole.FtpFileName})
            if (hasLineBreak(*value))
                fail("a value spans lines", *value);
    }
    // Line by line gives what the whole text gives: no line reaches into another.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    FtpSettings byLine;
    bool allRead = true;
    for (const QString& line : text.split(lineEnd))
        if (!(allRead = readOrRefuse(line, byLine)))
            break;
    if (allRead != read || (read && byLine != whole))
        fail("line by line differs from the whole file", text);
}

// What Save writes and keeps, from boxes holding "texts" and a valid port and service.
void checkSaveThenLoad(FuzzedDataProvider& input) {
    FtpIniValues values;
    for (QString& value : values) {
        // The window refuses to save a control character: the user takes it out.
        value = fuzz::charactersFrom(input);
        value.removeIf([](QChar c) { return hasControlCharacter(QString(c)); });
        value = value.trimmed();
    }
    const std::optional<std::int32_t> port = portFromText(values[1]);
    if (!port)
        return;
    const int service = input.ConsumeIntegralInRange(-1, 3);
    values[4] = QString::number(service);
    const FtpSettings kept{values[0], *port, values[2], values[3], service, values[5], values[6]};

    FtpSettings loaded;
    loaded.FtpHost = QStringLiteral("stale");
    const QByteArray file = ftpIniBytes(values);
    if (!readOrRefuse(decodeFtpIni(file), loaded))
        fail("the saved file is refused", QString::fromUtf8(file));
    if (loaded != kept)
        fail("the saved file reads back differently", QString::fromUtf8(file));
    if (file.count("\r\n") != 7)
        fail("not seven lines", QString::fromUtf8(file));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkAnyBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    FuzzedDataProvider input(data, size);
    checkSaveThenLoad(input);
    return 0;
}
