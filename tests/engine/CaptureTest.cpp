#include "engine/capture/PictureFiles.h"
#include "support/EngineFixture.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <sys/resource.h>

using namespace snapdeck;
using snapdeck::test::readFile;

namespace {

class CaptureTest : public test::EngineFixture {
protected:
    void keepPicturesOnCard() {
        engine->setBufferMode(false);
        engine->setKeepOnCard(true);
    }
    void nameByDate() {
        engine->setOverwrite(false);
        messages.clear(); // the disk-space warning
    }
    bool capture() { return engine->capture(); }
    QString status() { return state().captureStatus; }
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
    EXPECT_EQ(callNames(), (QStringList{"setExposure", "takePicture", "pictureCount", "pictureSize",
                                        "downloadPicture", "deletePicture", "remainingCount",
                                        "pictureCount", "imageSize", "zoom", "focus"}));
    // The exposure as last exchanged with the camera goes out before the shot: the
    // camera's automatic choice as start-up read it back.
    EXPECT_EQ(cameraLog({"setExposure"}), QStringList{"setExposure(2/28/16667)"});
    EXPECT_EQ(cameraLog({"deletePicture"}), QStringList{"deletePicture(1)"});
    const QByteArray stored = readFile(filePath("image.jpg"));
    EXPECT_TRUE(stored.startsWith("\xFF\xD8"));
    EXPECT_EQ(observer.picturesStored, QStringList{filePath("image.jpg")});
    EXPECT_EQ(state().transfer.maximum, stored.size());
    EXPECT_EQ(state().transfer.value, 0);
    EXPECT_EQ(observer.captureStatuses, (QStringList{"Экспозиция...", "", "Запись файла", ""}));
    EXPECT_EQ(simulated->picturesOnCard(), 0);
    EXPECT_EQ(state().picturesOnCard, 0);
    EXPECT_FALSE(state().busy);
}

TEST_F(CaptureTest, OverwritingKeepsOneFileHoldingExactlyTheLatestPicture) {
    load();
    keepPicturesOnCard();
    engine->chooseSetting(SettingList::ImageSize, 1); // a larger first picture
    capture();
    engine->chooseSetting(SettingList::ImageSize, 0);
    capture();
    ASSERT_EQ(simulated->picturesOnCard(), 2);
    EXPECT_GT(cardPicture(1).size(), cardPicture(2).size());
    EXPECT_EQ(readFile(filePath("image.jpg")), cardPicture(2));
    EXPECT_EQ(filesInFolder(), (QStringList{"image.jpg", "preview.jpg"}));
    EXPECT_EQ(state().picturesOnCard, 2);
    EXPECT_TRUE(cameraLog({"deletePicture"}).isEmpty()) << "kept on the card when asked";
}

TEST_F(CaptureTest, DatedNamesNeverLoseASecondPictureOfTheSameSecond) {
    load();
    keepPicturesOnCard();
    nameByDate();
    EXPECT_TRUE(capture());
    EXPECT_TRUE(capture());
    clock.set(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0)));
    capture();
    EXPECT_EQ(readFile(filePath("06_12_2026_8_05_03.jpg")), cardPicture(1));
    EXPECT_EQ(readFile(filePath("06_12_2026_8_05_03_2.jpg")), cardPicture(2));
    EXPECT_EQ(readFile(filePath("07_12_2026.jpg")), cardPicture(3));
    EXPECT_NE(cardPicture(1), cardPicture(2));
}

TEST_F(CaptureTest, NoPictureOrAnEmptyPictureIsNoError) {
    load();
    script().reportNext("pictureCount", 0);
    EXPECT_FALSE(capture());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(callNames(),
              (QStringList{"setExposure", "takePicture", "pictureCount", "remainingCount",
                           "pictureCount", "imageSize", "zoom", "focus"}));
    EXPECT_TRUE(status().isEmpty());

    script().clearLog();
    script().reportNext("pictureSize", 0);
    EXPECT_FALSE(capture());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(cameraLog({"downloadPicture", "deletePicture"}).isEmpty());
    EXPECT_EQ(cameraLog({"remainingCount"}).size(), 1) << "counters refreshed";
    EXPECT_TRUE(status().isEmpty());
    EXPECT_FALSE(QFile::exists(filePath("image.jpg")));
}

TEST_F(CaptureTest, DeletesFromTheCardOnlyOnceTheFileIsWrittenAndBeforeItIsShown) {
    load();
    // Stop the capture at the deletion to see what had happened before it.
    script().failNext("deletePicture", 5, 1, QStringLiteral("stop here"));
    EXPECT_TRUE(capture()) << "the picture is stored all the same";
    EXPECT_TRUE(QFile::exists(filePath("image.jpg")));
    EXPECT_TRUE(observer.picturesStored.isEmpty()) << "not shown yet";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("stop here")));
    EXPECT_EQ(simulated->picturesOnCard(), 1);
}

// The upload runs once the picture is stored and shown and the status line is clear,
// before the counters are read back. A server that cannot be found shows where it runs.
TEST_F(CaptureTest, UploadsTheBareFileNameAfterShowingAndBeforeRefreshing) {
    load();
    capture();
    EXPECT_TRUE(messages.shown.empty()) << "uploads are switched off";

    engine->setUploadEnabled(true);
    script().clearLog();
    int refreshCallsAtUpload = -1;
    QString statusAtUpload = QStringLiteral("?");
    int shownAtUpload = -1;
    messages.answer = [&](const Message&) {
        refreshCallsAtUpload = cameraLog({"remainingCount"}).size();
        statusAtUpload = status();
        shownAtUpload = observer.picturesStored.size();
        return 0;
    };
    capture();
    ASSERT_EQ(messages.shown.size(), 1u) << "no server is set up";
    EXPECT_EQ(refreshCallsAtUpload, 0);
    EXPECT_EQ(statusAtUpload, QString());
    EXPECT_EQ(shownAtUpload, 2);
    EXPECT_EQ(cameraLog({"remainingCount"}).size(), 1) << "refreshed after the upload";
}

TEST_F(CaptureTest, ACameraThatStopsAnsweringIsWaitedForAndTheCaptureGoesOn) {
    load();
    script().failNext("downloadPicture", 26, 2);
    script().failNext("close", 26, 1);
    QStringList statusDuringMessage;
    messages.answer = [&](const Message&) {
        statusDuringMessage.append(status());
        return 0;
    };
    capture();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"})
        << "the message appears only when closing the camera gets no answer either";
    EXPECT_EQ(messages.shown[0].buttons.size(), 2) << "with a way out";
    EXPECT_EQ(statusDuringMessage, QStringList{"Запись файла"});
    EXPECT_EQ(cameraLog({"downloadPicture"}).size(), 3);
    EXPECT_EQ(cameraLog({"close"}).size(), 2);
    EXPECT_EQ(cameraLog({"setExposure", "takePicture"}).size(), 2)
        << "steps already done are not repeated";
    EXPECT_TRUE(QFile::exists(filePath("image.jpg")));
}

// A shot that timed out may have been taken: the shutter never fires again without the
// user's word, and when the picture has reached the card meanwhile it is copied.
TEST_F(CaptureTest, ATimedOutShotIsNotFiredAgainWithoutAskingAndALatePictureIsCopied) {
    load();
    script().failNext("takePicture", 26, 1); // closing the camera still works
    QString statusWhenAsked;
    messages.answer = [&](const Message&) {
        statusWhenAsked = status();
        simulated->takePicture(); // the timed-out shot's picture arrives on the card
        return 0;
    };
    capture();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"}) << "asked at once";
    EXPECT_EQ(messages.shown[0].buttons.size(), 2);
    EXPECT_EQ(statusWhenAsked, QStringLiteral("Экспозиция..."));
    EXPECT_EQ(cameraLog({"takePicture"}).size(), 1) << "fired once";
    EXPECT_EQ(readFile(filePath("image.jpg")).isEmpty(), false);
    EXPECT_EQ(simulated->picturesOnCard(), 0) << "the late picture was copied and deleted";
}

TEST_F(CaptureTest, ATimedOutShotWithNothingOnTheCardIsTakenAgainOnlyWhenTheUserSaysSo) {
    load();
    script().failNext("takePicture", 26, 1);
    capture(); // the user answers "OK": try again
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(cameraLog({"takePicture"}).size(), 2);
    EXPECT_TRUE(QFile::exists(filePath("image.jpg")));

    messages.clear();
    script().clearLog();
    script().failNext("takePicture", 26, 1000);
    messages.answer = [](const Message&) { return 1; }; // "Прекратить попытки"
    capture();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(cameraLog({"takePicture"}).size(), 1) << "never fired again silently";
    EXPECT_TRUE(cameraLog({"downloadPicture", "remainingCount"}).isEmpty());
}

TEST_F(CaptureTest, StoppingTheWaitEndsTheCaptureWithoutFurtherSteps) {
    load();
    keepPicturesOnCard();
    script().failNext("downloadPicture", 26, 1000);
    script().failNext("close", 26, 1000);
    int asked = 0;
    messages.answer = [&](const Message&) { return ++asked < 3 ? 0 : 1; };
    capture();
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(cameraLog({"downloadPicture"}).size(), 3);
    EXPECT_TRUE(cameraLog({"deletePicture", "remainingCount"}).isEmpty());
    EXPECT_FALSE(QFile::exists(filePath("image.jpg")));
    EXPECT_EQ(simulated->picturesOnCard(), 1) << "the picture is still on the card";
}

TEST_F(CaptureTest, ACameraThatFailsSilentlyForeverStillGivesTheUserAWayOut) {
    load();
    script().failNext("pictureCount", 26, 1000); // closing it keeps succeeding
    messages.answer = [](const Message&) { return 1; };
    capture();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(cameraLog({"pictureCount"}).size(), 3) << "asked after the third silent round";
    EXPECT_EQ(cameraLog({"close"}).size(), 3);
}

TEST_F(CaptureTest, OtherErrorsEndTheCaptureAtTheFailingStep) {
    load();
    script().failNext("downloadPicture", 1001, 1, QStringLiteral("Ошибка чтения"));
    capture();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("Ошибка чтения")));
    EXPECT_EQ(messages.shown[0].errorNumber, 1001);
    EXPECT_EQ(status(), QStringLiteral("Запись файла")) << "the line stays as it was";
    EXPECT_FALSE(QFile::exists(filePath("image.jpg")));
    EXPECT_TRUE(cameraLog({"close", "remainingCount", "deletePicture"}).isEmpty());
    EXPECT_EQ(cameraLog({"downloadPicture"}).size(), 1);
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
    script().clearLog();
    capture();
    ::setrlimit(RLIMIT_FSIZE, &saved);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 61) << "a full disk";
    // Where it comes from, the file by its whole path, why in the user's words, and
    // where the picture is now.
    const QStringList lines = messages.shown[0].text.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3) << messages.shown[0].text.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Диск"));
    EXPECT_TRUE(lines[1].contains(QFileInfo(filePath("image.jpg")).absoluteFilePath()))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("файл больше, чем позволено")))
        << lines[1].toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("Снимок остался на карте памяти камеры."));
    EXPECT_EQ(readFile(filePath("image.jpg")), previous);
    EXPECT_EQ(filesInFolder(), (QStringList{"image.jpg", "preview.jpg"})) << "no temporary left";
    EXPECT_TRUE(cameraLog({"deletePicture"}).isEmpty());
    EXPECT_EQ(simulated->picturesOnCard(), 1);
}

// A download broken off part way (the camera reports fewer bytes than the picture
// has) is an error: the last picture on disk stays, and so does the card's copy.
TEST_F(CaptureTest, AShortDownloadKeepsThePreviousFileAndThePictureOnTheCard) {
    load();
    capture();
    const QByteArray previous = readFile(filePath("image.jpg"));
    script().clearLog();
    script().reportNext("downloadPicture.bytes", 1000);
    capture();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(
        messages.shown[0].text.contains(QStringLiteral("Снимок остался на карте памяти камеры.")));
    EXPECT_EQ(messages.shown[0].errorNumber, 481);
    EXPECT_EQ(readFile(filePath("image.jpg")), previous);
    EXPECT_TRUE(cameraLog({"deletePicture"}).isEmpty());
    EXPECT_EQ(simulated->picturesOnCard(), 1);
}

TEST_F(CaptureTest, IsBusyWhileItRuns) {
    load();
    bool busyDuringMessage = false;
    script().failNext("downloadPicture", 26, 1);
    script().failNext("close", 26, 1);
    messages.answer = [&](const Message&) {
        busyDuringMessage = state().busy;
        return 0;
    };
    EXPECT_TRUE(capture());
    EXPECT_TRUE(busyDuringMessage) << "the faces keep \"Захват\" and \"Просмотр\" off";
    EXPECT_FALSE(state().busy);
    EXPECT_EQ(cameraLog({"setExposure"}).size(), 1);
    EXPECT_EQ(cameraLog({"takePicture"}).size(), 1);
    EXPECT_EQ(cameraLog({"downloadPicture"}).size(), 2);
    EXPECT_TRUE(QFile::exists(filePath("image.jpg")));
}
