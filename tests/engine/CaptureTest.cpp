#include "capture/Capture.h"
#include "capture/CaptureOptionsFrame.h"
#include "capture/PictureBox.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <csignal>
#include <sys/resource.h>

using namespace snapdeck;
using snapdeck::test::readFile;

namespace {

class CaptureTest : public test::WindowFixture {
protected:
    void keepPicturesOnCard() {
        find<QCheckBox>("chkCaptMode")->setChecked(false);
        find<QCheckBox>("chkStFlash")->setChecked(true);
    }
    void nameByDate() {
        find<QCheckBox>("chkFileName")->setChecked(false);
        messages.clear(); // the disk-space warning
    }
    // Picture n as the camera holds it.
    QByteArray cardPicture(std::int32_t n) {
        std::int32_t cam = 0;
        camera->SelectedPicture(cam, n);
        std::int32_t size = camera->GetPictureSize(cam);
        QByteArray bytes(size, Qt::Uninitialized);
        camera->DownloadPicture(cam, size, bytes);
        return bytes;
    }
    void capture() { window->cmdCapture->click(); }
    QLabel* status() { return find<QLabel>("lblStatus"); }
    QStringList callNames() const {
        QStringList names;
        for (const QString& entry : camera->script().log())
            names.append(entry.left(entry.indexOf(u'(')));
        return names;
    }
};

} // namespace

TEST_F(CaptureTest, StoresThePictureShowsItDeletesItFromTheCardAndRefreshes) {
    load();
    capture();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(callNames(), (QStringList{"SetExposure", "TakePicture", "GetPictureCount",
                                        "SelectedPicture", "GetPictureSize", "DownloadPicture",
                                        "DeletePicture", "GetRemainingCount", "GetPictureCount",
                                        "ImageSize", "ZoomPosition", "FocusPosition"}));
    const ExposureSettings& e = window->state().Exposure;
    EXPECT_EQ(cameraLog({"SetExposure"}),
              QStringList{QStringLiteral("SetExposure(0, %1/%2/%3/%4/%5)")
                              .arg(e.mode)
                              .arg(e.aperture)
                              .arg(e.cameraField3)
                              .arg(e.shutter)
                              .arg(e.cameraField5)})
        << "the window's exposure record goes out unchanged";
    EXPECT_EQ(cameraLog({"DeletePicture"}), QStringList{"DeletePicture(0)"});
    const QByteArray stored = readFile(filePath("image.jpg"));
    EXPECT_TRUE(stored.startsWith("\xFF\xD8"));
    EXPECT_EQ(window->Image1->fileName(), filePath("image.jpg"));
    EXPECT_EQ(window->Image1->image().isNull(), false);
    EXPECT_EQ(find<QProgressBar>("prgFile")->maximum(), stored.size());
    EXPECT_EQ(find<QProgressBar>("prgFile")->value(), 0);
    EXPECT_TRUE(status()->isHidden());
    EXPECT_TRUE(status()->text().isEmpty());
    EXPECT_EQ(camera->picturesOnCard(), 0);
    EXPECT_EQ(find<QLabel>("PicCnt")->text(), QStringLiteral("0"));
}

TEST_F(CaptureTest, OverwritingKeepsOneFileHoldingExactlyTheLatestPicture) {
    load();
    keepPicturesOnCard();
    find<QComboBox>("combReso")->setCurrentIndex(1); // a larger first picture
    capture();
    find<QComboBox>("combReso")->setCurrentIndex(0);
    capture();
    ASSERT_EQ(camera->picturesOnCard(), 2);
    EXPECT_GT(cardPicture(1).size(), cardPicture(2).size());
    EXPECT_EQ(readFile(filePath("image.jpg")), cardPicture(2));
    EXPECT_EQ(filesInFolder(), (QStringList{"image.jpg", "preview.jpg"}));
    EXPECT_EQ(find<QLabel>("PicCnt")->text(), QStringLiteral("2"));
    EXPECT_TRUE(cameraLog({"DeletePicture"}).isEmpty()) << "kept on the card when asked";
}

TEST_F(CaptureTest, DatedNamesNeverLoseASecondPictureOfTheSameSecond) {
    load();
    keepPicturesOnCard();
    nameByDate();
    capture();
    capture();
    clock.set(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0)));
    capture();
    EXPECT_EQ(readFile(filePath("06_12_2026_8_05_03.jpg")), cardPicture(1));
    EXPECT_EQ(readFile(filePath("06_12_2026_8_05_03_2.jpg")), cardPicture(2));
    EXPECT_EQ(readFile(filePath("07_12_2026.jpg")), cardPicture(3));
    EXPECT_NE(cardPicture(1), cardPicture(2));
}

TEST_F(CaptureTest, NoPictureOrAnEmptyPictureIsNoError) {
    load();
    camera->script().reportNext("GetPictureCount", 0);
    capture();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(callNames(),
              (QStringList{"SetExposure", "TakePicture", "GetPictureCount", "GetRemainingCount",
                           "GetPictureCount", "ImageSize", "ZoomPosition", "FocusPosition"}));
    EXPECT_TRUE(status()->isHidden());

    camera->script().clearLog();
    camera->script().reportNext("GetPictureSize", 0);
    capture();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(cameraLog({"DownloadPicture", "DeletePicture"}).isEmpty());
    EXPECT_EQ(cameraLog({"GetRemainingCount"}).size(), 1) << "counters refreshed";
    EXPECT_TRUE(status()->isHidden());
    EXPECT_TRUE(status()->text().isEmpty());
    EXPECT_FALSE(QFile::exists(filePath("image.jpg")));
}

TEST_F(CaptureTest, DeletesFromTheCardOnlyOnceTheFileIsWrittenAndBeforeItIsShown) {
    load();
    // Stop the capture at the deletion to see what had happened before it.
    camera->script().failNext("DeletePicture", 5, 1, QStringLiteral("stop here"));
    capture();
    EXPECT_TRUE(QFile::exists(filePath("image.jpg")));
    EXPECT_TRUE(window->Image1->image().isNull());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("stop here")));
    EXPECT_EQ(camera->picturesOnCard(), 1);
}

TEST_F(CaptureTest, HandsTheBareFileNameToTheUploadAfterShowingAndBeforeRefreshing) {
    load();
    QStringList uploads;
    int refreshCallsAtUpload = -1;
    bool shownAtUpload = false;
    window->capture().setUploader([&](const QString& name) {
        uploads.append(name);
        refreshCallsAtUpload = cameraLog({"GetRemainingCount"}).size();
        shownAtUpload = !window->Image1->image().isNull() && status()->isHidden();
    });
    capture();
    EXPECT_TRUE(uploads.isEmpty()) << "the FTP box is unticked";

    find<QCheckBox>("chkFTP")->setChecked(true);
    camera->script().clearLog();
    capture();
    EXPECT_EQ(uploads, QStringList{"image.jpg"});
    EXPECT_EQ(refreshCallsAtUpload, 0);
    EXPECT_TRUE(shownAtUpload);
}

TEST_F(CaptureTest, ACameraThatStopsAnsweringIsWaitedForAndTheCaptureGoesOn) {
    load();
    camera->script().failNext("DownloadPicture", 26, 2);
    camera->script().failNext("CloseCamera", 26, 1);
    QStringList statusDuringMessage;
    messages.answer = [&](const Message&) {
        statusDuringMessage.append(status()->isVisible() || !status()->isHidden()
                                       ? status()->text()
                                       : QStringLiteral("<hidden>"));
        return 0;
    };
    capture();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"})
        << "the message appears only when closing the camera gets no answer either";
    EXPECT_EQ(messages.shown[0].buttons.size(), 2) << "with a way out";
    EXPECT_EQ(statusDuringMessage, QStringList{"Запись файла"});
    EXPECT_EQ(cameraLog({"DownloadPicture"}).size(), 3);
    EXPECT_EQ(cameraLog({"CloseCamera"}).size(), 2);
    EXPECT_EQ(cameraLog({"SetExposure", "TakePicture"}).size(), 2)
        << "steps already done are not repeated";
    EXPECT_TRUE(QFile::exists(filePath("image.jpg")));
}

// A shot that timed out may have been taken: the shutter never fires again without the
// user's word, and when the picture has reached the card meanwhile it is copied.
TEST_F(CaptureTest, ATimedOutShotIsNotFiredAgainWithoutAskingAndALatePictureIsCopied) {
    load();
    camera->script().failNext("TakePicture", 26, 1); // closing the camera still works
    QString statusWhenAsked;
    messages.answer = [&](const Message&) {
        statusWhenAsked = status()->text();
        std::int32_t cam = 0;
        camera->TakePicture(cam); // the timed-out shot's picture arrives on the card
        return 0;
    };
    capture();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"}) << "asked at once";
    EXPECT_EQ(messages.shown[0].buttons.size(), 2);
    EXPECT_EQ(statusWhenAsked, QStringLiteral("Экспозиция..."));
    EXPECT_EQ(cameraLog({"TakePicture"}).size(), 2) << "the program fired once; the test once";
    EXPECT_EQ(readFile(filePath("image.jpg")).isEmpty(), false);
    EXPECT_EQ(camera->picturesOnCard(), 0) << "the late picture was copied and deleted";
}

TEST_F(CaptureTest, ATimedOutShotWithNothingOnTheCardIsTakenAgainOnlyWhenTheUserSaysSo) {
    load();
    camera->script().failNext("TakePicture", 26, 1);
    capture(); // the user answers "OK": try again
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(cameraLog({"TakePicture"}).size(), 2);
    EXPECT_TRUE(QFile::exists(filePath("image.jpg")));

    messages.clear();
    camera->script().clearLog();
    camera->script().failNext("TakePicture", 26, 1000);
    messages.answer = [](const Message&) { return 1; }; // "Прекратить попытки"
    capture();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(cameraLog({"TakePicture"}).size(), 1) << "never fired again silently";
    EXPECT_TRUE(cameraLog({"DownloadPicture", "GetRemainingCount"}).isEmpty());
}

TEST_F(CaptureTest, StoppingTheWaitEndsTheCaptureWithoutFurtherSteps) {
    load();
    keepPicturesOnCard();
    camera->script().failNext("DownloadPicture", 26, 1000);
    camera->script().failNext("CloseCamera", 26, 1000);
    int asked = 0;
    messages.answer = [&](const Message&) { return ++asked < 3 ? 0 : 1; };
    capture();
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(cameraLog({"DownloadPicture"}).size(), 3);
    EXPECT_TRUE(cameraLog({"DeletePicture", "GetRemainingCount"}).isEmpty());
    EXPECT_FALSE(QFile::exists(filePath("image.jpg")));
    EXPECT_EQ(camera->picturesOnCard(), 1) << "the picture is still on the card";
}

TEST_F(CaptureTest, ACameraThatFailsSilentlyForeverStillGivesTheUserAWayOut) {
    load();
    camera->script().failNext("GetPictureCount", 26, 1000); // closing it keeps succeeding
    messages.answer = [](const Message&) { return 1; };
    capture();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(cameraLog({"GetPictureCount"}).size(), 3) << "asked after the third silent round";
    EXPECT_EQ(cameraLog({"CloseCamera"}).size(), 3);
}

TEST_F(CaptureTest, OtherErrorsEndTheCaptureAtTheFailingStep) {
    load();
    camera->script().failNext("DownloadPicture", 1001, 1, QStringLiteral("Ошибка чтения"));
    capture();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("Ошибка чтения\r\n1001")));
    EXPECT_EQ(status()->text(), QStringLiteral("Запись файла"));
    EXPECT_FALSE(status()->isHidden());
    EXPECT_FALSE(QFile::exists(filePath("image.jpg")));
    EXPECT_TRUE(cameraLog({"CloseCamera", "GetRemainingCount", "DeletePicture"}).isEmpty());
    EXPECT_EQ(cameraLog({"DownloadPicture"}).size(), 1);
}

TEST_F(CaptureTest, AFailedWriteKeepsThePreviousFileAndThePictureOnTheCard) {
    load();
    capture();
    const QByteArray previous = readFile(filePath("image.jpg"));
    ASSERT_GT(previous.size(), 20000);

    // Files may not grow beyond 16 KB: the next picture cannot be written.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    camera->script().clearLog();
    capture();
    ::setrlimit(RLIMIT_FSIZE, &saved);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("\r\n61"))) << "a full disk";
    EXPECT_EQ(readFile(filePath("image.jpg")), previous);
    EXPECT_EQ(filesInFolder(), (QStringList{"image.jpg", "preview.jpg"})) << "no temporary left";
    EXPECT_TRUE(cameraLog({"DeletePicture"}).isEmpty());
    EXPECT_EQ(camera->picturesOnCard(), 1);
}

// A download broken off part way (the camera reports fewer bytes than the picture
// has) is an error: the last picture on disk stays, and so does the card's copy.
TEST_F(CaptureTest, AShortDownloadKeepsThePreviousFileAndThePictureOnTheCard) {
    load();
    capture();
    const QByteArray previous = readFile(filePath("image.jpg"));
    camera->script().clearLog();
    camera->script().reportNext("DownloadPicture.bytes", 1000);
    capture();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("оставлен на карте памяти")));
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("\r\n481")));
    EXPECT_EQ(readFile(filePath("image.jpg")), previous);
    EXPECT_TRUE(cameraLog({"DeletePicture"}).isEmpty());
    EXPECT_EQ(camera->picturesOnCard(), 1);
}

TEST_F(CaptureTest, OneCaptureAtATimeAndNotBlockedByStartUpState) {
    load();
    window->state().FormLoading = true; // capture does not look at it
    camera->script().failNext("DownloadPicture", 26, 1);
    camera->script().failNext("CloseCamera", 26, 1);
    messages.answer = [&](const Message&) {
        window->cmdCapture->click(); // pressed again while the message waits
        return 0;
    };
    capture();
    EXPECT_EQ(cameraLog({"SetExposure"}).size(), 1);
    EXPECT_EQ(cameraLog({"TakePicture"}).size(), 1);
    EXPECT_EQ(cameraLog({"DownloadPicture"}).size(), 2);
    EXPECT_TRUE(QFile::exists(filePath("image.jpg")));
}
