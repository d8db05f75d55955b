#include "camera/simulator/SimulatedCard.h"
#include "camera/CameraError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace snapdeck {
namespace {

void writeFile(const QString& path, const QByteArray& bytes, const QDateTime& modified = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.flush(); // a write at closing would set the time again
    if (modified.isValid()) {
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
}

QDateTime modifiedAt(const QString& path) {
    return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
}

int errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const CameraError& error) {
        return error.number();
    }
    return 0;
}

// Both kinds of card keep the same numbering rules.
void checkNumbering(SimulatedCard& card) {
    card.store("first");
    card.store("second!");
    card.store("third");
    EXPECT_EQ(card.count(), 3);
    EXPECT_EQ(card.bytesUsed(), 5 + 7 + 5);
    EXPECT_EQ(card.picture(2), QByteArray("second!"));
    EXPECT_EQ(card.pictureBytes(2), 7);

    card.remove(1);
    EXPECT_EQ(card.count(), 2);
    EXPECT_EQ(card.picture(1), QByteArray("second!"));
    // File numbers go on counting after a deletion.
    EXPECT_EQ(card.nextFileNumber(), 4);
    EXPECT_EQ(errorNumber([&] { card.picture(3); }), 381);
    EXPECT_EQ(errorNumber([&] { card.remove(0); }), 381);
}

TEST(SimulatedCard, MemoryCardNumbersPicturesInTheOrderTaken) {
    auto card = SimulatedCard::inMemory();
    EXPECT_TRUE(card->present());
    checkNumbering(*card);
}

TEST(SimulatedCard, FolderCardNumbersPicturesInTheOrderTaken) {
    QTemporaryDir dir;
    auto card = SimulatedCard::inFolder(dir.path());
    checkNumbering(*card);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("SNAP0002.JPG"), QStringLiteral("SNAP0003.JPG")}));
}

// Pictures count in the order they were stored, as on a real card: by time, then by
// name for pictures of the same time.
TEST(SimulatedCard, FolderCardTakesAnyJpegInTheOrderStoredAndGoesOnAfterTheHighestNumber) {
    QTemporaryDir dir;
    const QDateTime morning(QDate(2026, 5, 4), QTime(10, 0));
    writeFile(dir.filePath(QStringLiteral("camera.ini")), "model=X\n");
    writeFile(dir.filePath(QStringLiteral("notes.txt")), "not a picture");
    writeFile(dir.filePath(QStringLiteral("SNAP0041.JPG")), "41", morning.addSecs(3600));
    writeFile(dir.filePath(QStringLiteral("beach.jpg")), "beach", morning);
    writeFile(dir.filePath(QStringLiteral("alps.jpg")), "alps", morning.addSecs(3600));

    auto card = SimulatedCard::inFolder(dir.path());
    EXPECT_EQ(card->count(), 3);
    EXPECT_EQ(card->picture(1), QByteArray("beach"));
    EXPECT_EQ(card->picture(2), QByteArray("alps"));
    EXPECT_EQ(card->picture(3), QByteArray("41"));
    EXPECT_EQ(card->nextFileNumber(), 42);
    card->store("new");
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("SNAP0042.JPG"))));

    // A restart finds the same card.
    auto again = SimulatedCard::inFolder(dir.path());
    EXPECT_EQ(again->count(), 4);
    EXPECT_EQ(again->picture(4), QByteArray("new"));
}

// A file copied in with a time ahead of the clock (or two of them with the same time)
// must not pass for the picture the camera has just stored.
TEST(SimulatedCard, FolderCardStoresAfterFilesWithLaterTimesAndLeavesThemAsTheyAre) {
    QTemporaryDir dir;
    const QDateTime tomorrow = QDateTime::currentDateTime().addDays(1);
    const QString visitors = dir.filePath(QStringLiteral("visitors.jpg"));
    const QString album = dir.filePath(QStringLiteral("album.jpg"));
    writeFile(visitors, "visitors", tomorrow);
    writeFile(album, "album", tomorrow);

    auto card = SimulatedCard::inFolder(dir.path());
    card->store("first");
    EXPECT_EQ(card->picture(3), QByteArray("first"));
    card->store("second");
    EXPECT_EQ(card->count(), 4);
    EXPECT_EQ(card->picture(4), QByteArray("second"));
    EXPECT_EQ(card->picture(1), QByteArray("album"));
    EXPECT_EQ(modifiedAt(visitors), modifiedAt(album));
    EXPECT_EQ(modifiedAt(visitors).toMSecsSinceEpoch(), tomorrow.toMSecsSinceEpoch());
}

TEST(SimulatedCard, FolderCardIsPresentOnlyWhileTheFolderExists) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("card"));
    auto card = SimulatedCard::inFolder(folder);
    EXPECT_FALSE(card->present());
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_TRUE(card->present());
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral("-away")));
    EXPECT_FALSE(card->present());
}

TEST(SimulatedCard, FolderCardRefusesPastTheLastFileNumber) {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("SNAP9999.JPG")), "last");
    auto card = SimulatedCard::inFolder(dir.path());
    EXPECT_EQ(errorNumber([&] { card->store("one too many"); }), 1005);
    EXPECT_EQ(card->count(), 1);
}

} // namespace
} // namespace snapdeck
