#pragma once

#include <QString>

namespace snapdeck {

// Bytes an unprivileged writer may still use on the disk holding "folder"; -1 when the
// system cannot tell. Qt finds the disk through the mount table, which a chroot or a
// container may not show; statvfs(2) asks about the folder itself.
qint64 freeBytesOn(const QString& folder);

} // namespace snapdeck
