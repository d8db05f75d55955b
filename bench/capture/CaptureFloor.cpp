#include "CaptureFloor.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace snapdeck::bench {

namespace {

bool flushFolderOf(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
}

} // namespace

bool writeAndFlush(const QString& path, const QByteArray& bytes) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    const bool flushed = ::fsync(fd) == 0;
    return ::close(fd) == 0 && flushed && done == bytes.size();
}

bool writeSafely(const QString& path, const QByteArray& bytes) {
    const QString temporary = path + QStringLiteral(".new");
    return writeAndFlush(temporary, bytes) &&
           ::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(path).constData()) == 0 &&
           flushFolderOf(path);
}

QImage decodeScaled(const QString& path, QSize size) {
    QImageReader reader(path);
    reader.setScaledSize(size);
    return reader.read();
}

QImage decodeFullThenScale(const QString& path, QSize size) {
    QImageReader reader(path);
    return reader.read().scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace snapdeck::bench
