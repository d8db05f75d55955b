#include "engine/capture/PictureFiles.h"

#include "common/AppError.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

const QLocale kRussian(QLocale::Russian, QLocale::Russia);
auto nothingTaken = [](const QString&) { return false; };

} // namespace

TEST(PictureFileName, RussianDatesGiveTheDocumentedNames) {
    EXPECT_EQ(
        datedPictureName(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3)), kRussian, nothingTaken),
        QStringLiteral("06_12_2026_8_05_03.jpg"));
    EXPECT_EQ(
        datedPictureName(QDateTime(QDate(2027, 3, 1), QTime(14, 30, 0)), kRussian, nothingTaken),
        QStringLiteral("01_03_2027_14_30_00.jpg"));
    EXPECT_EQ(
        datedPictureName(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0)), kRussian, nothingTaken),
        QStringLiteral("07_12_2026.jpg"))
        << "at exactly midnight the name is the date alone";
}

TEST(PictureFileName, SlashesOfOtherDateFormsNeverReachTheFileSystem) {
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    const QString name =
        datedPictureName(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3)), american, nothingTaken);
    EXPECT_FALSE(name.contains(u'/')) << name.toStdString();
    EXPECT_FALSE(name.contains(u'\\'));
    EXPECT_FALSE(name.contains(u' '));
    EXPECT_TRUE(name.startsWith(QStringLiteral("12_6_26_"))) << name.toStdString();
    EXPECT_TRUE(name.endsWith(QStringLiteral(".jpg")));
}

TEST(PictureFileName, ANameAlreadyTakenGetsTheNextFreeSuffix) {
    QSet<QString> taken;
    const QDateTime moment(QDate(2026, 12, 6), QTime(8, 5, 3));
    auto isTaken = [&taken](const QString& name) { return taken.contains(name); };
    for (int i = 0; i < 3; ++i)
        taken.insert(datedPictureName(moment, kRussian, isTaken));
    EXPECT_EQ(taken, (QSet<QString>{QStringLiteral("06_12_2026_8_05_03.jpg"),
                                    QStringLiteral("06_12_2026_8_05_03_2.jpg"),
                                    QStringLiteral("06_12_2026_8_05_03_3.jpg")}));
}

// A file the faces could not show is an error that names the file.
TEST(PictureFiles, AFileThatIsNoPictureCannotBeShown) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xD8 broken off");
    file.close();
    try {
        checkShowable(path);
        ADD_FAILURE() << "a broken picture passed";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), 481);
        EXPECT_TRUE(error.description().contains(QStringLiteral("image.jpg")));
    }
    EXPECT_THROW(checkShowable(dir.filePath(QStringLiteral("missing.jpg"))), AppError);
}
