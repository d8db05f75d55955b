#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace snapdeck {

// Writes a whole file or nothing: the bytes go to a temporary file beside the target,
// are flushed to the disk, and the temporary file is renamed over the target. A crash,
// a full disk or a reader at the same moment never sees half a file, and a failed
// write leaves the previous file of that name as it was. Raises AppError on failure.
void writeFileAtomically(const QString& path, const char* data, qint64 size, mode_t mode = 0644);

inline void writeFileAtomically(const QString& path, const QByteArray& bytes, mode_t mode = 0644) {
    writeFileAtomically(path, bytes.constData(), bytes.size(), mode);
}

// A write killed half way leaves its temporary file beside the target; the target is
// whole (the old file or none), so the leftover may go. For such a file's name, the name
// of the file it was to replace; empty for any other name.
QString atomicWriteTarget(const QString& leftoverName);

} // namespace snapdeck
