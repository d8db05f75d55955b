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

} // namespace snapdeck
