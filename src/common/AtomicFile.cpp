#include "AtomicFile.h"

#include "AppError.h"
#include "SystemErrorText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace snapdeck {

namespace {

[[noreturn]] void raise(const QString& path, int err) {
    int number = ErrorNumber::FileAccess;
    if (err == ENOSPC || err == EDQUOT || err == EFBIG)
        number = ErrorNumber::DiskFull;
    else if (err == ENOENT || err == ENAMETOOLONG || err == EINVAL || err == EISDIR)
        number = ErrorNumber::BadFileName;
    throw AppError(number, kDiskSource,
                   QCoreApplication::translate("AtomicFile", "Не удалось записать файл %1: %2")
                       .arg(QFileInfo(path).absoluteFilePath(), systemErrorText(err)));
}

// Closes and removes the temporary file unless the rename has taken it over.
struct TemporaryFile {
    QByteArray path;
    int fd = -1;
    bool renamed = false;
    ~TemporaryFile() {
        if (fd >= 0)
            ::close(fd);
        if (!renamed && !path.isEmpty())
            ::unlink(path.constData());
    }
};

// The folder part of a path as given, relative paths kept relative: the current
// folder's own name may not be valid UTF-8, and spelling it out would change it.
QString folderOf(const QFileInfo& target) {
    return target.path();
}

void syncFolderOf(const QString& folder) {
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // makes the rename itself survive a power cut; best effort
        ::close(fd);
    }
}

} // namespace

// The temporary file is ".NAME.XXXXXX" (mkostemp's six characters).
QString atomicWriteTarget(const QString& leftoverName) {
    static const QRegularExpression leftover(QStringLiteral("^\\.(.+)\\.[A-Za-z0-9]{6}$"));
    const QRegularExpressionMatch match = leftover.match(leftoverName);
    return match.hasMatch() ? match.captured(1) : QString();
}

void writeFileAtomically(const QString& path, const char* data, qint64 size, mode_t mode) {
    const QFileInfo target(path);
    if (target.fileName().isEmpty())
        raise(path, ENOENT);
    const QByteArray finalPath = QFile::encodeName(path);

    TemporaryFile temp;
    temp.path = QFile::encodeName(folderOf(target) + QStringLiteral("/.") + target.fileName() +
                                  QStringLiteral(".XXXXXX"));
    temp.fd = ::mkostemp(temp.path.data(), O_CLOEXEC);
    if (temp.fd < 0) {
        const int err = errno;
        temp.path.clear();
        raise(path, err);
    }
    if (::fchmod(temp.fd, mode) != 0)
        raise(path, errno);

    qint64 written = 0;
    while (written < size) {
        const ssize_t n = ::write(temp.fd, data + written, static_cast<size_t>(size - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            raise(path, errno);
        }
        written += n;
    }
    if (::fsync(temp.fd) != 0)
        raise(path, errno);
    const int fd = temp.fd;
    temp.fd = -1;
    if (::close(fd) != 0)
        raise(path, errno);
    if (::rename(temp.path.constData(), finalPath.constData()) != 0)
        raise(path, errno);
    temp.renamed = true;
    syncFolderOf(folderOf(target));
}

} // namespace snapdeck
