#include "engine/queue/UploadQueue.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace snapdeck;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

UploadDestination server(const QString& host) {
    UploadDestination destination;
    destination.service = UploadDestination::Service::Ftp;
    destination.account = {host, 21, QStringLiteral("station"), QStringLiteral("secret")};
    destination.folder = QStringLiteral("pictures");
    return destination;
}

class UploadQueueTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString picture(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        writeFileAtomically(path, bytes);
        return path;
    }
    QString queueFolder() const { return dir.filePath(QStringLiteral(".queue")); }
    std::unique_ptr<UploadQueue> openQueue(QueueLimits limits = {}) {
        auto queue = std::make_unique<UploadQueue>(queueFolder(), clock, limits,
                                                   [this] { return freeBytes; });
        problems = queue->open();
        return queue;
    }
    QByteArray queuedBytes(const UploadQueue& queue, const QueueEntry& entry) {
        return readFile(queue.pathOf(entry.pictureFile));
    }

    QTemporaryDir dir;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3))};
    qint64 freeBytes = 10LL * 1024 * 1024 * 1024;
    QStringList problems;
};

} // namespace

// "image.jpg" is written over by every capture: what was queued keeps its own bytes, and
// all of it (bytes, server, names) survives a restart in the order of capture.
TEST_F(UploadQueueTest, KeepsEachPicturesBytesAndDestinationAcrossARestart) {
    auto queue = openQueue();
    const QString image = picture(QStringLiteral("image.jpg"), "first");
    ASSERT_EQ(queue->add(image, QStringLiteral("a.jpg"), {}, server("one")).outcome,
              UploadQueue::Outcome::Queued);
    clock.advance(5);
    picture(QStringLiteral("image.jpg"), "second");
    ASSERT_EQ(
        queue->add(image, QStringLiteral("b.jpg"), QStringLiteral("latest.jpg"), server("two"))
            .outcome,
        UploadQueue::Outcome::Queued);
    queue.reset();

    queue = openQueue();
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'|').toStdString();
    ASSERT_EQ(queue->length(), 2);
    const QueueEntry first = *queue->oldest();
    EXPECT_EQ(first.remoteName, QStringLiteral("a.jpg"));
    EXPECT_EQ(first.destination, server("one"));
    EXPECT_EQ(queuedBytes(*queue, first), QByteArray("first"));
    EXPECT_EQ(*queue->oldestQueued(), QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3)));
    queue->remove(first);
    const QueueEntry second = *queue->oldest();
    EXPECT_EQ(second.remoteName, QStringLiteral("b.jpg"));
    EXPECT_EQ(second.publishAs, QStringLiteral("latest.jpg"));
    EXPECT_EQ(second.destination, server("two"));
    EXPECT_EQ(queuedBytes(*queue, second), QByteArray("second"));
    EXPECT_EQ(readFile(image), QByteArray("second")) << "the picture itself is left alone";
}

TEST_F(UploadQueueTest, TheQueueIsItsOwnersAloneForItHoldsPasswords) {
    auto queue = openQueue();
    queue->add(picture(QStringLiteral("p.jpg"), "x"), QStringLiteral("p.jpg"), {}, server("s"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(queueFolder()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    const QStringList entries = QDir(queueFolder()).entryList({QStringLiteral("*.json")});
    ASSERT_EQ(entries.size(), 1);
    ASSERT_EQ(::stat(QFile::encodeName(queueFolder() + u'/' + entries[0]).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// With "image.jpg" for every picture the server keeps only the newest: an older one that
// still waits for the same place goes. Pictures with their own names are all kept.
TEST_F(UploadQueueTest, TheSameNameForTheSameServerReplacesTheOlderWaitingEntry) {
    auto queue = openQueue();
    const QString image = picture(QStringLiteral("image.jpg"), "1");
    queue->add(image, QStringLiteral("image.jpg"), {}, server("s"));
    picture(QStringLiteral("image.jpg"), "2");
    const UploadQueue::Added again =
        queue->add(image, QStringLiteral("image.jpg"), {}, server("s"));
    EXPECT_EQ(again.replaced, 1);
    ASSERT_EQ(queue->length(), 1);
    EXPECT_EQ(queuedBytes(*queue, *queue->oldest()), QByteArray("2"));

    queue->add(image, QStringLiteral("image.jpg"), {}, server("elsewhere"));
    queue->add(picture(QStringLiteral("d1.jpg"), "d1"), QStringLiteral("d1.jpg"), {}, server("s"));
    queue->add(picture(QStringLiteral("d2.jpg"), "d2"), QStringLiteral("d2.jpg"), {}, server("s"));
    EXPECT_EQ(queue->length(), 4);
    EXPECT_EQ(QDir(queueFolder()).entryList({QStringLiteral("*.jpg")}).size(), 4)
        << "a replaced entry takes its picture with it";
}

TEST_F(UploadQueueTest, FromABacklogOnlyTheNewestPictureIsPublishedUnderTheFixedName) {
    auto queue = openQueue();
    const QString latest = QStringLiteral("latest.jpg");
    queue->add(picture(QStringLiteral("1.jpg"), "1"), QStringLiteral("1.jpg"), latest, server("s"));
    queue->add(picture(QStringLiteral("2.jpg"), "2"), QStringLiteral("2.jpg"), latest, server("s"));
    queue->add(picture(QStringLiteral("3.jpg"), "3"), QStringLiteral("3.jpg"), {}, server("s"));
    const QueueEntry first = *queue->oldest();
    EXPECT_EQ(queue->namesToSend(first), QStringList{"1.jpg"});
    queue->remove(first);
    EXPECT_EQ(queue->namesToSend(*queue->oldest()), (QStringList{"2.jpg", "latest.jpg"}));
}

// A crash can stop the program between any two writes: what the next start finds never
// makes a half entry count, and never loses an entry whose capture said it was queued.
TEST_F(UploadQueueTest, ACrashBetweenWritesLeavesNothingHalfAndDamagedEntriesAreSetAside) {
    auto queue = openQueue();
    queue->add(picture(QStringLiteral("a.jpg"), "a"), QStringLiteral("a.jpg"), {}, server("s"));
    queue->add(picture(QStringLiteral("b.jpg"), "b"), QStringLiteral("b.jpg"), {}, server("s"));
    queue->add(picture(QStringLiteral("c.jpg"), "c"), QStringLiteral("c.jpg"), {}, server("s"));
    queue.reset();

    const QDir folder(queueFolder());
    const QStringList entries =
        folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    ASSERT_EQ(entries.size(), 3);
    // a's entry is damaged, b's picture is gone, and a picture without an entry and a
    // journal's temporary file were left by a crash.
    writeFileAtomically(folder.filePath(entries[0]), "{ \"format\": 1, \"sequ");
    QFile::remove(folder.filePath(
        QString(entries[1]).replace(QStringLiteral(".json"), QStringLiteral(".jpg"))));
    writeFileAtomically(folder.filePath(QStringLiteral("000000000099.jpg")), "orphan");
    writeFileAtomically(folder.filePath(QStringLiteral(".000000000100.json.AbCdEf")), "{");

    queue = openQueue();
    EXPECT_EQ(problems.size(), 2) << problems.join(u'|').toStdString();
    ASSERT_EQ(queue->length(), 1);
    EXPECT_EQ(queue->oldest()->remoteName, QStringLiteral("c.jpg"));
    EXPECT_TRUE(QDir(queueFolder() + QStringLiteral("/damaged")).exists(entries[0]));
    EXPECT_FALSE(folder.exists(QStringLiteral("000000000099.jpg")));
    EXPECT_FALSE(folder.exists(QStringLiteral(".000000000100.json.AbCdEf")));

    // New entries number after what is there, never reusing a name.
    queue->add(picture(QStringLiteral("d.jpg"), "d"), QStringLiteral("d.jpg"), {}, server("s"));
    queue->remove(*queue->oldest());
    EXPECT_EQ(queue->oldest()->remoteName, QStringLiteral("d.jpg"));
}

TEST_F(UploadQueueTest, BelowTheMinimumOfFreeSpacePicturesAreNotQueuedOrTheOldestMakeRoom) {
    auto queue = openQueue();
    queue->add(picture(QStringLiteral("a.jpg"), "a"), QStringLiteral("a.jpg"), {}, server("s"));
    freeBytes = 100LL * 1024 * 1024; // below the 200 MB minimum
    const UploadQueue::Added refused =
        queue->add(picture(QStringLiteral("b.jpg"), "b"), QStringLiteral("b.jpg"), {}, server("s"));
    EXPECT_EQ(refused.outcome, UploadQueue::Outcome::DiskLow);
    // What happened, where, what becomes of the pictures, and what to do.
    EXPECT_TRUE(refused.problem.contains(QStringLiteral("200 МБ")))
        << refused.problem.toStdString();
    EXPECT_TRUE(refused.problem.contains(QFileInfo(queue->folder()).absoluteFilePath()))
        << refused.problem.toStdString();
    EXPECT_TRUE(refused.problem.contains(QStringLiteral("снимки сохраняются")));
    EXPECT_TRUE(refused.problem.contains(QStringLiteral("Освободите место")));
    EXPECT_EQ(queue->length(), 1);

    freeBytes = 300LL * 1024 * 1024; // room again: queuing resumes by itself
    EXPECT_EQ(
        queue->add(picture(QStringLiteral("c.jpg"), "c"), QStringLiteral("c.jpg"), {}, server("s"))
            .outcome,
        UploadQueue::Outcome::Queued);

    // Configured to drop the oldest: each dropped entry frees room.
    queue = std::make_unique<UploadQueue>(
        queueFolder(), clock, QueueLimits{200LL * 1024 * 1024, true}, [&] { return freeBytes; });
    queue->open();
    ASSERT_EQ(queue->length(), 2);
    freeBytes = 150LL * 1024 * 1024;
    int calls = 0;
    queue =
        std::make_unique<UploadQueue>(queueFolder(), clock, QueueLimits{200LL * 1024 * 1024, true},
                                      [&] { return freeBytes + 30LL * 1024 * 1024 * calls++; });
    queue->open();
    const UploadQueue::Added room =
        queue->add(picture(QStringLiteral("d.jpg"), "d"), QStringLiteral("d.jpg"), {}, server("s"));
    EXPECT_EQ(room.outcome, UploadQueue::Outcome::Queued);
    EXPECT_EQ(room.dropped, 1);
    EXPECT_EQ(queue->oldest()->remoteName, QStringLiteral("c.jpg"));
}

// In a chroot or a container the system may not tell the free space (-1): the pictures
// still go into the queue, with the drop-oldest setting too, and nothing is dropped.
TEST_F(UploadQueueTest, FreeSpaceTheSystemCannotTellDoesNotStopQueuing) {
    freeBytes = -1;
    auto queue = openQueue();
    const UploadQueue::Added added =
        queue->add(picture(QStringLiteral("a.jpg"), "a"), QStringLiteral("a.jpg"), {}, server("s"));
    EXPECT_EQ(added.outcome, UploadQueue::Outcome::Queued) << added.problem.toStdString();
    queue = std::make_unique<UploadQueue>(
        queueFolder(), clock, QueueLimits{200LL * 1024 * 1024, true}, [&] { return freeBytes; });
    queue->open();
    const UploadQueue::Added second =
        queue->add(picture(QStringLiteral("b.jpg"), "b"), QStringLiteral("b.jpg"), {}, server("s"));
    EXPECT_EQ(second.outcome, UploadQueue::Outcome::Queued);
    EXPECT_EQ(second.dropped, 0);
    EXPECT_EQ(queue->length(), 2);
}

// A file where the queue's folder should be (as good as a folder no one may write to, also
// for root): said at open and at each picture, and nothing counts as queued.
TEST_F(UploadQueueTest, AQueueFolderThatCannotBeUsedIsSaidAndNothingIsQueued) {
    writeFileAtomically(queueFolder(), "not a folder");
    auto queue = openQueue();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(queueFolder())) << problems[0].toStdString();
    const UploadQueue::Added added =
        queue->add(picture(QStringLiteral("a.jpg"), "a"), QStringLiteral("a.jpg"), {}, server("s"));
    EXPECT_EQ(added.outcome, UploadQueue::Outcome::Failed);
    EXPECT_TRUE(added.problem.startsWith(QStringLiteral("Снимок не поставлен в очередь")))
        << added.problem.toStdString();
    EXPECT_EQ(queue->length(), 0);
}
