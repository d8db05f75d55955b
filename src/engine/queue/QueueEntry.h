#pragma once

#include "engine/upload/UploadDestination.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace snapdeck {

// One picture waiting to be uploaded, with everything it was queued with: editing the
// settings later does not change where a waiting picture goes.
struct QueueEntry {
    qint64 sequence = 0; // the order of capture
    QDateTime queued;    // when it was queued, on the wall clock
    QString pictureFile; // the queue's own link to (or copy of) the picture's bytes
    QString remoteName;  // the picture's name on the server
    QString publishAs;   // also published under this fixed name; empty: not
    UploadDestination destination;
    friend bool operator==(const QueueEntry&, const QueueEntry&) = default;
};

// The entry as the journal file holds it (JSON, UTF-8), and back; nothing for a file
// that is not a whole, valid entry.
QByteArray entryFileBytes(const QueueEntry& entry);
std::optional<QueueEntry> entryFromFileBytes(const QByteArray& bytes);

} // namespace snapdeck
