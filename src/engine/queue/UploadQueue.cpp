#include "UploadQueue.h"

#include "common/AppError.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "common/FreeSpace.h"
#include "common/SystemErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace snapdeck {

namespace {

const QString kEntrySuffix = QStringLiteral(".json");
const QString kPictureSuffix = QStringLiteral(".jpg");
const QString kSetAsideFolder = QStringLiteral("damaged");

QString entryFileName(qint64 sequence) {
    return QStringLiteral("%1").arg(sequence, 12, 10, QLatin1Char('0')) + kEntrySuffix;
}

QString pictureFileName(qint64 sequence) {
    return QStringLiteral("%1").arg(sequence, 12, 10, QLatin1Char('0')) + kPictureSuffix;
}

// A second name for the picture's bytes: a hard link, or a copy where the file system
// has none; flushed either way before the entry that names it is written.
void keepBytes(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    ::unlink(target.constData()); // a leftover of a crash, never an entry's picture
    if (::link(source.constData(), target.constData()) == 0)
        return;
    QFile file(from);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            ErrorNumber::FileAccess, kAppErrorSource,
            UploadQueue::tr("Не удалось прочитать снимок %1: %2").arg(from, file.errorString()));
    writeFileAtomically(to, file.readAll(), 0600);
}

} // namespace

UploadQueue::UploadQueue(QString folder, const Clock& clock, QueueLimits limits,
                         std::function<qint64()> freeBytes)
    : folder_(std::move(folder)), clock_(clock), limits_(limits), freeBytes_(std::move(freeBytes)) {
    if (!freeBytes_)
        freeBytes_ = [this] { return freeBytesOn(folder_); };
}

QString UploadQueue::pathOf(const QString& fileName) const {
    return folder_ + u'/' + fileName;
}

void UploadQueue::setLimits(QueueLimits limits) {
    std::lock_guard lock(mutex_);
    limits_ = limits;
}

QStringList UploadQueue::open() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    QStringList problems;
    const QByteArray name = QFile::encodeName(folder_);
    // The entries hold passwords: the folder is its owner's alone.
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return {tr("Не удалось создать папку очереди %1: %2").arg(folder_, systemErrorText(errno))};
    QDir dir(folder_);
    if (!dir.exists())
        return {tr("Папка очереди %1 недоступна").arg(folder_)};
    QStringList pictures;
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const QString fileName = file.fileName();
        if (!atomicWriteTarget(fileName).isEmpty()) {
            // An entry's or a picture's temporary, left by a crash mid-write: never either.
            QFile::remove(file.absoluteFilePath());
            continue;
        }
        if (fileName.endsWith(kPictureSuffix)) {
            pictures.append(fileName);
            continue;
        }
        if (!fileName.endsWith(kEntrySuffix))
            continue;
        QFile entryFile(file.absoluteFilePath());
        std::optional<QueueEntry> entry;
        if (entryFile.open(QIODevice::ReadOnly) && entryFile.size() < 1024 * 1024)
            entry = entryFromFileBytes(entryFile.readAll());
        if (!entry || entryFileName(entry->sequence) != fileName) {
            setAsideFile(fileName);
            problems.append(
                tr("Запись очереди %1 повреждена: отложена в %2/").arg(fileName, kSetAsideFolder));
            continue;
        }
        if (!QFileInfo::exists(pathOf(entry->pictureFile))) {
            setAsideFile(fileName);
            problems.append(tr("Снимок записи очереди %1 (%2) пропал: запись отложена в %3/")
                                .arg(fileName, entry->remoteName, kSetAsideFolder));
            continue;
        }
        entries_[entry->sequence] = *entry;
        nextSequence_ = std::max(nextSequence_, entry->sequence + 1);
    }
    // A picture no entry names was queued when the program stopped before its entry
    // was written: the capture never reported it queued, and its own file is kept.
    QSet<QString> named;
    for (const auto& [sequence, entry] : entries_)
        named.insert(entry.pictureFile);
    for (const QString& picture : pictures)
        if (!named.contains(picture))
            QFile::remove(pathOf(picture));
    return problems;
}

UploadQueue::Added UploadQueue::add(const QString& picturePath, const QString& remoteName,
                                    const QString& publishAs,
                                    const UploadDestination& destination) {
    std::lock_guard lock(mutex_);
    Added added;
    if (lowOnSpace() && !(limits_.dropOldestWhenLow && makeRoom(added.dropped))) {
        added.outcome = Outcome::DiskLow;
        added.problem = tr("На диске с папкой %1 меньше %2 МБ свободного места: снимки "
                           "сохраняются, но не ставятся в очередь на отправку. Освободите место "
                           "на диске: очередь возобновится сама.")
                            .arg(QDir::toNativeSeparators(QFileInfo(folder_).absoluteFilePath()))
                            .arg(limits_.minFreeBytes / (1024 * 1024));
        return added;
    }
    QueueEntry entry;
    entry.sequence = nextSequence_;
    entry.queued = clock_.now();
    entry.pictureFile = pictureFileName(entry.sequence);
    entry.remoteName = remoteName;
    entry.publishAs = publishAs;
    entry.destination = destination;
    try {
        keepBytes(picturePath, pathOf(entry.pictureFile));
        writeFileAtomically(pathOf(entryFileName(entry.sequence)), entryFileBytes(entry), 0600);
    } catch (const AppError& error) {
        QFile::remove(pathOf(entry.pictureFile));
        added.outcome = Outcome::Failed;
        added.problem =
            tr("Снимок не поставлен в очередь на отправку: %1").arg(error.description());
        return added;
    }
    ++nextSequence_;
    // The server keeps only the newest picture of a name: an older one still waiting
    // for the same place need not go.
    for (auto it = entries_.begin(); it != entries_.end();) {
        const QueueEntry older = it->second;
        ++it;
        if (older.remoteName == remoteName && older.destination == destination) {
            removeLocked(older);
            ++added.replaced;
        }
    }
    entries_[entry.sequence] = entry;
    return added;
}

bool UploadQueue::makeRoom(int& dropped) {
    while (lowOnSpace() && !entries_.empty()) {
        removeLocked(entries_.begin()->second);
        ++dropped;
    }
    return !lowOnSpace();
}

// Free space the system cannot tell (-1) is no reason to stop queuing.
bool UploadQueue::lowOnSpace() const {
    const qint64 free = freeBytes_();
    return free >= 0 && free < limits_.minFreeBytes;
}

std::optional<QueueEntry> UploadQueue::oldest() const {
    std::lock_guard lock(mutex_);
    if (entries_.empty())
        return std::nullopt;
    return entries_.begin()->second;
}

QStringList UploadQueue::namesToSend(const QueueEntry& entry) const {
    std::lock_guard lock(mutex_);
    QStringList names{entry.remoteName};
    // A fixed name that is the picture's own is published by sending the picture once.
    if (entry.publishAs.isEmpty() || entry.publishAs == entry.remoteName)
        return names;
    for (auto it = entries_.upper_bound(entry.sequence); it != entries_.end(); ++it)
        if (it->second.publishAs == entry.publishAs && it->second.destination == entry.destination)
            return names;
    names.append(entry.publishAs);
    return names;
}

void UploadQueue::remove(const QueueEntry& entry) {
    std::lock_guard lock(mutex_);
    removeLocked(entry);
}

// The entry's file first: a crash between the two leaves a picture no entry names,
// which open() clears away, never an entry without its picture.
void UploadQueue::removeLocked(const QueueEntry& entry) {
    QFile::remove(pathOf(entryFileName(entry.sequence)));
    QFile::remove(pathOf(entry.pictureFile));
    entries_.erase(entry.sequence);
}

void UploadQueue::setAside(const QueueEntry& entry) {
    std::lock_guard lock(mutex_);
    setAsideFile(entryFileName(entry.sequence));
    setAsideFile(entry.pictureFile);
    entries_.erase(entry.sequence);
}

void UploadQueue::setAsideFile(const QString& fileName) {
    QDir(folder_).mkdir(kSetAsideFolder);
    const QString target = pathOf(kSetAsideFolder + u'/' + fileName);
    QFile::remove(target);
    if (!QFile::rename(pathOf(fileName), target))
        QFile::remove(pathOf(fileName));
}

bool UploadQueue::holds(const QString& remoteName) const {
    std::lock_guard lock(mutex_);
    for (const auto& [sequence, entry] : entries_)
        if (entry.remoteName == remoteName)
            return true;
    return false;
}

int UploadQueue::length() const {
    std::lock_guard lock(mutex_);
    return int(entries_.size());
}

std::optional<QDateTime> UploadQueue::oldestQueued() const {
    std::lock_guard lock(mutex_);
    if (entries_.empty())
        return std::nullopt;
    return entries_.begin()->second.queued;
}

} // namespace snapdeck
