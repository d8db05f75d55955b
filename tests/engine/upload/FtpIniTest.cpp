#include "common/WorkFolder.h"
#include "engine/upload/FtpIniFormat.h"
#include "engine/upload/FtpSettingsFile.h"
#include "support/RecordingMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace snapdeck;

namespace {

FtpSettings read(const QString& text, FtpSettings start = {}) {
    readFtpIniText(text, start);
    return start;
}

} // namespace

TEST(FtpIniReading, TakesEachKeyWithItsRulesInAnyOrder) {
    const FtpSettings s = read(QStringLiteral("TypeSrv:3\r\n"
                                              "NmeFile:cam.jpg\r\n"
                                              "# a note\r\n"
                                              "URL\r\n"
                                              "urlhost:lower.case.key\r\n"
                                              " URLHost:leading.blank\r\n"
                                              "URLHost:first.example\r\n"
                                              "UsLogin:фотограф\r\n"
                                              "Passwrd: пароль с пробелами \r\n"
                                              "FTPUDir:/веб/камера\n"
                                              "SrvPort:21.5\r\n"
                                              "URLHost:ftp.example.ru\r\n"));
    const FtpSettings expected{"ftp.example.ru", 22,       "фотограф", " пароль с пробелами ", 3,
                               "/веб/камера",    "cam.jpg"};
    EXPECT_EQ(s, expected);

    FtpSettings start;
    start.FtpHost = QStringLiteral("kept");
    start.FtpPort = 2121;
    EXPECT_EQ(read(QStringLiteral("SrvPort:"), start).FtpPort, 0) << "the key alone gives 0";
    EXPECT_EQ(read(QStringLiteral("SrvPort: 2 1x"), start).FtpPort, 21) << "blanks skipped";
    EXPECT_EQ(read(QStringLiteral("SrvPort:22.5"), start).FtpPort, 22) << "half to even";
    EXPECT_EQ(read(QStringLiteral("SrvPort:65535"), start).FtpPort, 65535) << "above 32767";
    EXPECT_EQ(read(QStringLiteral("TypeSrv:-1"), start).FtpServiceType, -1);
    EXPECT_EQ(read(QStringLiteral("TypeSrv:7"), start).FtpServiceType, 7)
        << "no entry of the list, yet a 16-bit number: the upload refuses it, loading does not";
    EXPECT_EQ(read(QStringLiteral("NmeFile:x"), start).FtpHost, QStringLiteral("kept"));
    // The value is at most as long as the line without its outer blanks.
    EXPECT_EQ(read(QStringLiteral("URLHost:ab") + QString(10, u' ')).FtpHost,
              QStringLiteral("ab") + QString(8, u' '));
}

TEST(FtpIniReading, Utf8WhenValidElseWindows1251AndSaveWritesUtf8CrLf) {
    // "URLHost:Сервер" and "Passwrd:ёЁ№" as Windows-1251 bytes.
    const FtpSettings old =
        read(decodeFtpIni("URLHost:\xD1\xE5\xF0\xE2\xE5\xF0\r\nPasswrd:\xB8\xA8\xB9"));
    EXPECT_EQ(old.FtpHost, QStringLiteral("Сервер"));
    EXPECT_EQ(old.FtpPassword, QStringLiteral("ёЁ№"));
    const QByteArray bom = "\xEF\xBB\xBF";
    EXPECT_EQ(read(decodeFtpIni(bom + QStringLiteral("URLHost:Сервер").toUtf8())).FtpHost,
              QStringLiteral("Сервер"));

    const FtpIniValues values = {
        "host\r\nPasswrd:injected", "21.5", "фото", "p w", "-1", "/веб", ""};
    EXPECT_EQ(ftpIniBytes(values), QStringLiteral("URLHost:hostPasswrd:injected\r\nSrvPort:21.5\r\n"
                                                  "UsLogin:фото\r\nPasswrd:p w\r\nTypeSrv:-1\r\n"
                                                  "FTPUDir:/веб\r\nNmeFile:\r\n")
                                       .toUtf8())
        << "a line break in a value cannot add a line";
}

TEST(FtpIniFile, MissingIsNoErrorUnreadableOrOutOfRangeShowsTheErrorBox) {
    QTemporaryDir dir;
    const WorkFolder folder(dir.path());
    test::RecordingMessages messages;
    FtpSettings settings;
    settings.FtpPort = 7;
    EXPECT_TRUE(loadFtpSettings(settings, folder, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(settings.FtpPort, 7) << "a fresh installation keeps the start values";

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ftp.ini")));
    EXPECT_FALSE(loadFtpSettings(settings, folder, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("Snapdeck\r\nНе удалось прочитать файл ftp.ini")));
    EXPECT_EQ(messages.shown[0].errorNumber, 75);
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("ftp.ini")));

    // A link to an endless device or a pipe is refused, neither read until the memory
    // runs out nor waited on for ever; so is a file far too large for seven lines.
    const QByteArray iniPath = QFile::encodeName(folder.path(QStringLiteral("ftp.ini")));
    const std::vector<std::pair<std::function<bool()>, QString>> strangeFiles{
        {[&] { return QFile::link(QStringLiteral("/dev/zero"), QFile::decodeName(iniPath)); },
         QStringLiteral("это не файл")},
        {[&] { return ::mkfifo(iniPath.constData(), 0600) == 0; }, QStringLiteral("это не файл")},
        {[&] {
             QFile huge(QFile::decodeName(iniPath));
             return huge.open(QIODevice::WriteOnly) && huge.resize(1024 * 1024 + 1);
         },
         QStringLiteral("слишком велик")},
    };
    for (const auto& [make, why] : strangeFiles) {
        messages.clear();
        ASSERT_TRUE(make()) << why.toStdString();
        EXPECT_FALSE(loadFtpSettings(settings, folder, messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.contains(why))
            << messages.texts().join(u'|').toStdString();
        ASSERT_TRUE(QFile::remove(QFile::decodeName(iniPath)));
    }

    for (const char* line :
         {"SrvPort:65536", "SrvPort:-1", "TypeSrv:32768", "TypeSrv:-32769", ""}) {
        messages.clear();
        settings = {};
        QFile file(folder.path(QStringLiteral("ftp.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("URLHost:host\r\nSrvPort:40000\r\n") + line + "\r\n");
        file.close();
        const bool valid = *line == '\0';
        EXPECT_EQ(loadFtpSettings(settings, folder, messages), valid) << line;
        if (valid) {
            EXPECT_EQ(settings.FtpPort, 40000);
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u) << line;
        EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8(line))) << line;
        EXPECT_EQ(settings, FtpSettings{}) << "nothing half-read";
    }
}
