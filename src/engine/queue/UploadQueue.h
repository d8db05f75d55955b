#pragma once

#include "QueueEntry.h"

#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace snapdeck {

class Clock;

// How much of the disk the queue may use: below "minFreeBytes" of free space a picture is
// not queued, unless the oldest queued pictures are to make room.
struct QueueLimits {
    qint64 minFreeBytes = 200LL * 1024 * 1024;
    bool dropOldestWhenLow = false;
};

// The pictures waiting to be uploaded, kept in a folder of their own beside the
// pictures so that they survive a kill or a power cut at any moment:
//  - each entry keeps the picture's bytes as they were, by a hard link (a copy where a
//    link is impossible), so overwriting "image.jpg" later changes nothing queued;
//  - each entry is a journal file written whole and flushed (common/AtomicFile) after its
//    picture; it is removed before its picture, so a crash leaves at most a picture
//    without an entry, which the next open() clears away;
//  - the same name queued again for the same server while an older entry for it waits
//    replaces the older entry: the server would keep only the newest anyway;
//  - the queue never fills the disk: below a minimum of free space a picture is not
//    queued (or, if so configured, the oldest entries make room).
// Entries that are damaged, or whose picture is gone, are set aside in "damaged/" and
// the rest goes on. Safe to use from the engine's thread and the upload worker at once.
class UploadQueue {
    Q_DECLARE_TR_FUNCTIONS(UploadQueue)

public:
    enum class Outcome { Queued, DiskLow, Failed };
    struct Added {
        Outcome outcome = Outcome::Queued;
        QString problem; // DiskLow, Failed: what to tell the user
        int dropped = 0; // oldest entries dropped to make room
        int replaced = 0;
    };

    // "folder" is the queue's own folder; "freeBytes" tells the free space on its disk
    // (the file system's, unless a test says otherwise), -1 when it is not known.
    UploadQueue(QString folder, const Clock& clock, QueueLimits limits = {},
                std::function<qint64()> freeBytes = {});

    // Creates the folder if needed and reads what is queued there. Returns a line for
    // each entry set aside, and the reason when the folder cannot be used at all.
    QStringList open();

    Added add(const QString& picturePath, const QString& remoteName, const QString& publishAs,
              const UploadDestination& destination);

    std::optional<QueueEntry> oldest() const;
    // The names to send the entry's picture under: its own, and the fixed name unless a
    // newer entry will publish under it anyway (from a backlog only the newest is
    // published).
    QStringList namesToSend(const QueueEntry& entry) const;
    // The server has confirmed the picture: the entry and its picture go.
    void remove(const QueueEntry& entry);
    // The entry cannot be sent (its picture is gone, its file damaged): kept aside.
    void setAside(const QueueEntry& entry);

    int length() const;
    // True while an entry waits to send a picture under this name.
    bool holds(const QString& remoteName) const;
    std::optional<QDateTime> oldestQueued() const;
    QString folder() const { return folder_; }
    QString pathOf(const QString& fileName) const;
    void setLimits(QueueLimits limits);

private:
    void removeLocked(const QueueEntry& entry);
    void setAsideFile(const QString& fileName);
    bool makeRoom(int& dropped);
    bool lowOnSpace() const;

    QString folder_;
    const Clock& clock_;
    QueueLimits limits_;
    std::function<qint64()> freeBytes_;
    mutable std::mutex mutex_;
    std::map<qint64, QueueEntry> entries_; // by sequence: the order of capture
    qint64 nextSequence_ = 1;
};

} // namespace snapdeck
