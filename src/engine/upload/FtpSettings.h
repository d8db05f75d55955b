#pragma once

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <cstdint>

namespace snapdeck {

// Where captured pictures are uploaded. Held in memory for the whole run and kept in
// "ftp.ini"; an empty host and the upload switched off until the user sets it up.
struct FtpSettings {
    QString FtpHost;
    std::int32_t FtpPort = 0; // 0: the protocol's default port
    QString FtpLogin;
    QString FtpPassword;
    std::int32_t FtpServiceType = 0; // position in the service list: Авто, FTP, GOPHER, HTTP
    QString FtpDirectory;            // folder to change to; empty means none
    QString FtpFileName;

    friend bool operator==(const FtpSettings&, const FtpSettings&) = default;
};

// The captions of the settings window's boxes; messages name a setting by its caption.
// Untranslated here; shownFtpCaption() gives one in the user's language.
inline const QString kFtpHostCaption =
    QStringLiteral(QT_TRANSLATE_NOOP("FtpSettings", "Имя хоста"));
inline const QString kFtpPortCaption = QStringLiteral(QT_TRANSLATE_NOOP("FtpSettings", "Порт"));
inline const QString kFtpLoginCaption = QStringLiteral(QT_TRANSLATE_NOOP("FtpSettings", "Логин"));
inline const QString kFtpPasswordCaption =
    QStringLiteral(QT_TRANSLATE_NOOP("FtpSettings", "Пароль"));
inline const QString kFtpServiceCaption =
    QStringLiteral(QT_TRANSLATE_NOOP("FtpSettings", "Тип сервиса"));
inline const QString kFtpDirectoryCaption =
    QStringLiteral(QT_TRANSLATE_NOOP("FtpSettings", "Директория"));
inline const QString kFtpFileNameCaption =
    QStringLiteral(QT_TRANSLATE_NOOP("FtpSettings", "Имя файла"));

inline QString shownFtpCaption(const QString& caption) {
    return QCoreApplication::translate("FtpSettings", caption.toUtf8().constData());
}

// A character below 0x20 (CR, LF, NUL, tab, ...) or DEL. No setting may hold one: sent
// with an FTP command, a line break ends the command and starts one of the text's own.
inline bool hasControlCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

// A name a picture can be published under on the server: one name, never a path ("/",
// "..") and no control character.
inline bool isPlainRemoteName(const QString& name) {
    return !name.contains(u'/') && name != QStringLiteral("..") && name != QStringLiteral(".") &&
           !hasControlCharacter(name);
}

} // namespace snapdeck
