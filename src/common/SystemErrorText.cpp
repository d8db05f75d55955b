#include "SystemErrorText.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

namespace snapdeck {

QString systemErrorText(int error) {
    switch (error) {
    case ENOSPC:
        return QCoreApplication::translate("SystemErrorText", "на диске нет места");
    case EDQUOT:
        return QCoreApplication::translate("SystemErrorText", "исчерпана дисковая квота");
    case EFBIG:
        return QCoreApplication::translate("SystemErrorText", "файл больше, чем позволено");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("SystemErrorText", "нет прав на запись");
    case EROFS:
        return QCoreApplication::translate("SystemErrorText", "диск доступен только для чтения");
    case EISDIR:
        return QCoreApplication::translate("SystemErrorText", "на этом месте папка");
    case ENOENT:
        return QCoreApplication::translate("SystemErrorText", "папки нет");
    case ENOTDIR:
        return QCoreApplication::translate("SystemErrorText", "часть пути - не папка");
    case ENAMETOOLONG:
        return QCoreApplication::translate("SystemErrorText", "слишком длинное имя");
    case EIO:
        return QCoreApplication::translate("SystemErrorText", "ошибка чтения или записи диска");
    case EMFILE:
    case ENFILE:
        return QCoreApplication::translate("SystemErrorText", "открыто слишком много файлов");
    case ENOMEM:
        return QCoreApplication::translate("SystemErrorText", "недостаточно памяти");
    default:
        break;
    }
    return QCoreApplication::translate("SystemErrorText", "ошибка системы %1 (%2)")
        .arg(QString::number(error), QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace snapdeck
