#include "SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace snapdeck {

QString systemErrorText(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral("на диске нет места");
    case EDQUOT:
        return QStringLiteral("исчерпана дисковая квота");
    case EFBIG:
        return QStringLiteral("файл больше, чем позволено");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на запись");
    case EROFS:
        return QStringLiteral("диск доступен только для чтения");
    case EISDIR:
        return QStringLiteral("на этом месте папка");
    case ENOENT:
        return QStringLiteral("папки нет");
    case ENOTDIR:
        return QStringLiteral("часть пути - не папка");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя");
    case EIO:
        return QStringLiteral("ошибка чтения или записи диска");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("открыто слишком много файлов");
    case ENOMEM:
        return QStringLiteral("недостаточно памяти");
    default:
        break;
    }
    return QStringLiteral("ошибка системы %1 (%2)")
        .arg(error)
        .arg(QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace snapdeck
