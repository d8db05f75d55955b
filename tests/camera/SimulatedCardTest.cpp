#include "camera/SimulatedCard.h"
#include "camera/CameraError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace snapdeck {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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

TEST(SimulatedCard, FolderCardTakesAnyJpegInNameOrderAndGoesOnAfterTheHighestNumber) {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("camera.ini")), "model=X\n");
    writeFile(dir.filePath(QStringLiteral("notes.txt")), "not a picture");
    writeFile(dir.filePath(QStringLiteral("SNAP0041.JPG")), "41");
    writeFile(dir.filePath(QStringLiteral("beach.jpg")), "beach");

    auto card = SimulatedCard::inFolder(dir.path());
    EXPECT_EQ(card->count(), 2);
    EXPECT_EQ(card->picture(1), QByteArray("beach"));
    EXPECT_EQ(card->nextFileNumber(), 42);
    card->store("new");
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("SNAP0042.JPG"))));

    // A restart finds the same card.
    auto again = SimulatedCard::inFolder(dir.path());
    EXPECT_EQ(again->count(), 3);
    EXPECT_EQ(again->picture(3), QByteArray("new"));
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
