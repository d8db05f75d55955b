#include "FreeSpace.h"

#include <QFile>
#include <QStorageInfo>
#include <sys/statvfs.h>

namespace snapdeck {

qint64 freeBytesOn(const QString& folder) {
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() >= 0)
        return storage.bytesAvailable();
    struct statvfs disk {};
    if (::statvfs(QFile::encodeName(folder).constData(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize);
}

} // namespace snapdeck
