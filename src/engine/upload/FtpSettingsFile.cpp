#include "FtpSettingsFile.h"

#include "common/AppError.h"
#include "common/AtomicFile.h"
#include "common/ErrorTrap.h"
#include "common/WorkFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace snapdeck {

namespace {

// Seven short lines; anything near this size is not a settings file, and reading it
// whole (a link to a device, a huge file) could exhaust the memory.
constexpr qint64 kMaxFtpIniBytes = 1024 * 1024;

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    const QFileInfo info(path);
    // Only a regular file: a pipe would block the start, a device could be endless.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw AppError(
            ErrorNumber::FileAccess, kAppErrorSource,
            QCoreApplication::translate("FtpSettingsFile", "Не удалось прочитать файл %1: %2")
                .arg(kFtpIniFileName,
                     info.isDir() ? QCoreApplication::translate("FtpSettingsFile", "это папка")
                     : !info.isFile()
                         ? QCoreApplication::translate("FtpSettingsFile", "это не файл")
                         : file.errorString()));
    QByteArray bytes = file.read(kMaxFtpIniBytes + 1);
    if (bytes.size() > kMaxFtpIniBytes)
        throw AppError(ErrorNumber::FileAccess, kAppErrorSource,
                       QCoreApplication::translate("FtpSettingsFile",
                                                   "Файл %1 слишком велик для файла настроек")
                           .arg(kFtpIniFileName));
    if (file.error() != QFileDevice::NoError)
        throw AppError(
            ErrorNumber::FileAccess, kAppErrorSource,
            QCoreApplication::translate("FtpSettingsFile", "Не удалось прочитать файл %1: %2")
                .arg(kFtpIniFileName, file.errorString()));
    return bytes;
}

} // namespace

bool loadFtpSettings(FtpSettings& settings, const WorkFolder& folder, MessagePresenter& messages) {
    const QString path = folder.path(kFtpIniFileName);
    return runTrapped(messages, [&] {
        if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
            return;
        FtpSettings read = settings;
        readFtpIniText(decodeFtpIni(readWholeFile(path)), read);
        settings = read;
    });
}

void writeFtpIni(const WorkFolder& folder, const FtpIniValues& values) {
    writeFileAtomically(folder.path(kFtpIniFileName), ftpIniBytes(values), 0600);
}

} // namespace snapdeck
