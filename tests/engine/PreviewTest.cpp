#include "capture/Preview.h"
#include "capture/PictureBox.h"
#include "support/WindowFixture.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using namespace snapdeck;
using snapdeck::test::readFile;

namespace {

class PreviewTest : public test::WindowFixture {
protected:
    QStringList previewCalls() const {
        return cameraLog({QStringLiteral("TakePreview"), QStringLiteral("SelectedPicture="),
                          QStringLiteral("GetPictureSize"), QStringLiteral("DownloadPreview")});
    }
};

} // namespace

TEST_F(PreviewTest, StoresThePreviewWholeAndShowsIt) {
    load();
    // A long older file of the same name must not leave its tail behind.
    QFile old(filePath(QStringLiteral("preview.jpg")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(2'000'000, 'x'));
    old.close();

    window->cmdPreview->click();
    EXPECT_EQ(previewCalls().size(), 4);
    const QByteArray stored = readFile(filePath(QStringLiteral("preview.jpg")));
    ASSERT_GT(stored.size(), 1000);
    EXPECT_LT(stored.size(), 2'000'000);
    EXPECT_TRUE(stored.startsWith("\xFF\xD8")) << "a JPEG";
    EXPECT_TRUE(stored.endsWith("\xFF\xD9")) << "exactly the new picture, no old tail";
    EXPECT_FALSE(window->Image2->image().isNull());
    EXPECT_EQ(window->Image2->fileName(), filePath(QStringLiteral("preview.jpg")));

    auto* progress = find<QProgressBar>("prgFile");
    EXPECT_EQ(progress->maximum(), stored.size());
    EXPECT_EQ(progress->value(), 0);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("preview.jpg")})
        << "preview writes no other file";
}

TEST_F(PreviewTest, DoesNothingWhileTheWindowIsLoading) {
    load();
    QFile::remove(filePath(QStringLiteral("preview.jpg")));
    window->state().FormLoading = true;
    window->cmdPreview->click();
    EXPECT_TRUE(camera->script().log().isEmpty());
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("preview.jpg"))));
}

TEST_F(PreviewTest, AnEmptyPreviewIsNoErrorAndChangesNothing) {
    load();
    const QImage shown = window->Image2->image();
    auto* progress = find<QProgressBar>("prgFile");
    const int maximum = progress->maximum();
    progress->setValue(7);
    camera->script().reportNext(QStringLiteral("GetPictureSize"), 0);
    QFile::remove(filePath(QStringLiteral("preview.jpg")));

    window->cmdPreview->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(previewCalls().size(), 3) << "no download";
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("preview.jpg"))));
    EXPECT_EQ(window->Image2->image(), shown);
    // An empty range would show the bar as an endless transfer and drop its value.
    EXPECT_EQ(progress->maximum(), maximum);
    EXPECT_EQ(progress->value(), 7);
}

TEST_F(PreviewTest, ACameraThatDoesNotAnswerIsReportedOnceWithoutRetrying) {
    load();
    const QByteArray before = readFile(filePath(QStringLiteral("preview.jpg")));
    camera->script().failNext(QStringLiteral("TakePreview"), 26);
    window->cmdPreview->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("\r\n26")));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Snapdeck"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(previewCalls(), QStringList{QStringLiteral("TakePreview(0)")});
    EXPECT_TRUE(cameraLog({QStringLiteral("CloseCamera")}).isEmpty());
    EXPECT_EQ(readFile(filePath(QStringLiteral("preview.jpg"))), before);
}

TEST_F(PreviewTest, NeverTouchesTheCountersOrThePictures) {
    load();
    const QString picturesBefore = find<QLabel>("PicCnt")->text();
    const QString remainingBefore = find<QLabel>("RemCnt")->text();
    for (int i = 0; i < 3; ++i)
        window->cmdPreview->click();
    EXPECT_EQ(find<QLabel>("PicCnt")->text(), picturesBefore);
    EXPECT_EQ(find<QLabel>("RemCnt")->text(), remainingBefore);
    EXPECT_EQ(camera->picturesOnCard(), 0);
    EXPECT_TRUE(
        cameraLog({QStringLiteral("TakePicture"), QStringLiteral("DeletePicture")}).isEmpty());
}
