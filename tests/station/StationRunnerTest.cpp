#include "station/StationRunner.h"
#include "FtpServerProcess.h"
#include "camera/CameraSettings.h"
#include "camera/simulator/SimulatedCamera.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "common/ProgramExit.h"
#include "engine/Engine.h"
#include "station/ServiceNotifier.h"
#include "station/StationLog.h"
#include "station/StationMessages.h"
#include "support/QtPrinters.h"
#include "support/ScriptedCamera.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

const QDateTime kStart(QDate(2026, 12, 7), QTime(6, 0, 0));

// The station's rounds run by hand on the test's thread while the clock is moved; the
// simulated camera keeps its card in a folder that can be renamed away ("unplugged").
class StationRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir().mkpath(cardFolder()));
        config.camera.camera = QStringLiteral("simulator:") + cardFolder();
        config.camera.imageSize = 0;
        config.pictures.folder = dir.filePath(QStringLiteral("pictures"));
        config.pictures.name = QStringLiteral("%Y%m%d-%H%M%S");
        config.schedule.intervalSeconds = 10;
        config.schedule.start = kStart;
    }
    void TearDown() override { stopStation(); }
    QString cardFolder() const { return dir.filePath(QStringLiteral("card")); }

    // "beforeStart": what the test does to the camera before the station's first round.
    void startStation(const std::function<void()>& beforeStart = {}) {
        QDir().mkpath(config.pictures.folder);
        simulated = SimulatedCamera::withCardFolder(cardFolder());
        camera = std::make_unique<test::ScriptedCamera>(*simulated);
        log = std::make_unique<StationLog>(config.pictures.folder + QStringLiteral("/station.log"),
                                           clock, nullptr);
        messages = std::make_unique<StationMessages>(*log, [this] { return clock.now(); });
        engine = std::make_unique<Engine>(EngineServices{
            *camera, *messages, clock, WorkFolder(config.pictures.folder), QLocale::c()});
        runner = std::make_unique<StationRunner>(config, *engine, clock, *log, *messages, notifier);
        runner->freeBytes = [this] { return freeBytes; };
        if (beforeStart)
            beforeStart();
        runner->start(false);
    }
    void stopStation() {
        if (runner && !runner->ended())
            runner->stop();
        runner.reset();
        engine.reset();
        messages.reset();
        log.reset();
    }
    // Seconds pass, a round each "step" seconds.
    void run(int seconds, int step = 1) {
        for (int i = 0; i < seconds && !runner->ended(); i += step) {
            clock.advance(step);
            runner->round();
        }
    }
    QStringList pictures() const {
        return QDir(config.pictures.folder)
            .entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    }
    QString logText() const {
        QFile file(config.pictures.folder + QStringLiteral("/station.log"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QJsonObject status() const {
        QFile file(runner->statusPath());
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                              : QJsonObject();
    }
    void unplug() {
        ASSERT_TRUE(QDir().rename(cardFolder(), cardFolder() + QStringLiteral(".away")));
    }
    void plugIn() {
        ASSERT_TRUE(QDir().rename(cardFolder() + QStringLiteral(".away"), cardFolder()));
    }

    QTemporaryDir dir;
    StationConfig config;
    ManualClock clock{kStart.addSecs(-5)};
    qint64 freeBytes = 10LL * 1024 * 1024 * 1024;
    ServiceNotifier notifier;
    std::unique_ptr<SimulatedCamera> simulated;
    std::unique_ptr<test::ScriptedCamera> camera;
    std::unique_ptr<StationLog> log;
    std::unique_ptr<StationMessages> messages;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<StationRunner> runner;
};

} // namespace

TEST_F(StationRunnerTest, APlanOfACountTakesItsPicturesOnTheGridAndEnds) {
    config.schedule.count = 3;
    startStation();
    run(60);
    ASSERT_TRUE(runner->ended());
    EXPECT_EQ(runner->exitStatus(), 0);
    EXPECT_EQ(pictures(),
              (QStringList{"20261207-060000.jpg", "20261207-060010.jpg", "20261207-060020.jpg"}));
    EXPECT_EQ(simulated->picturesOnCard(), 0) << "each picture left the card once on disk";
    const QJsonObject shown = status();
    EXPECT_EQ(shown.value(QStringLiteral("state")).toString(), QStringLiteral("ended"));
    EXPECT_EQ(
        shown.value(QStringLiteral("pictures")).toObject().value(QStringLiteral("stored")).toInt(),
        3);
    EXPECT_EQ(shown.value(QStringLiteral("last_picture")).toString(),
              QStringLiteral("20261207-060020.jpg"));
    EXPECT_TRUE(logText().contains(QStringLiteral("plan ended: 3 pictures stored")))
        << logText().toStdString();
}

// A station wakes every second; its status file is written when it says something new
// (a picture, the next shot), and otherwise once a minute, whose time shows it alive: not
// 3,600 flushed writes an hour on a small computer's SD card.
TEST_F(StationRunnerTest, TheStatusIsWrittenWhenItChangesAndOnceAMinuteOtherwise) {
    config.schedule.intervalSeconds = 300;
    startStation();
    run(int(clock.now().secsTo(kStart))); // the first shot, at the start
    const auto written = [&] { return status().value(QStringLiteral("time")).toString(); };
    const QString afterFirstShot = written();
    ASSERT_FALSE(afterFirstShot.isEmpty());
    EXPECT_EQ(status()
                  .value(QStringLiteral("pictures"))
                  .toObject()
                  .value(QStringLiteral("stored"))
                  .toInt(),
              1);

    run(30);
    EXPECT_EQ(written(), afterFirstShot) << "nothing new in 30 s: not written again";
    run(40);
    const QString heartbeat = written();
    EXPECT_NE(heartbeat, afterFirstShot) << "written again within a minute";

    run(230); // the next shot, five minutes after the first
    EXPECT_EQ(status()
                  .value(QStringLiteral("pictures"))
                  .toObject()
                  .value(QStringLiteral("stored"))
                  .toInt(),
              2)
        << "the next picture is there at once";
    EXPECT_NE(written(), heartbeat);
}

TEST_F(StationRunnerTest, ACameraUnpluggedIsFoundAgainAndTheShotsMeanwhileAreMissedNotMadeUp) {
    startStation();
    run(5); // 06:00:00, the first shot
    ASSERT_EQ(pictures().size(), 1u);
    unplug();
    run(40); // 06:00:10 .. 06:00:40 come without a camera
    EXPECT_EQ(pictures().size(), 1u);
    EXPECT_TRUE(logText().contains(QStringLiteral("camera lost"))) << logText().toStdString();
    EXPECT_EQ(status()
                  .value(QStringLiteral("camera"))
                  .toObject()
                  .value(QStringLiteral("state"))
                  .toString(),
              QStringLiteral("searching"));
    plugIn();
    run(70); // found again within the backoff's longest wait, then shooting on the grid
    EXPECT_TRUE(logText().contains(QStringLiteral("camera found")));
    const QStringList taken = pictures();
    EXPECT_GE(taken.size(), 4u);
    EXPECT_EQ(QSet<QString>(taken.begin(), taken.end()).size(), taken.size());
    EXPECT_GE(runner->missed(), 3) << "06:00:10 .. 06:00:40 at least";
    EXPECT_EQ(simulated->picturesOnCard(), 0);
}

TEST_F(StationRunnerTest,
       APictureAFaultLeftOnTheCardIsCopiedAtTheNextGoodRoundAndOthersAreNotTouched) {
    // A picture of someone else's, already on the card.
    writeFileAtomically(cardFolder() + QStringLiteral("/HOLIDAY.JPG"), QByteArray(2000, 'x'));
    startStation();
    camera->script().failNext(QStringLiteral("downloadPicture"), 1001, 1,
                              QStringLiteral("Ошибка чтения"));
    run(5); // the shot at 06:00:00 cannot be copied
    EXPECT_TRUE(pictures().isEmpty());
    ASSERT_EQ(runner->state().onCard.size(), 1);
    run(10); // the next round copies it, then takes the shot at 06:00:10
    EXPECT_EQ(pictures(), (QStringList{"20261207-060000.jpg", "20261207-060010.jpg"}));
    EXPECT_TRUE(runner->state().onCard.isEmpty());
    EXPECT_EQ(simulated->picturesOnCard(), 1) << "the other picture stays";
    EXPECT_TRUE(QFile::exists(cardFolder() + QStringLiteral("/HOLIDAY.JPG")));
}

TEST_F(StationRunnerTest, BelowTheMinimumOfFreeSpaceStoringStopsAndResumesByItself) {
    startStation();
    run(5);
    freeBytes = 100LL * 1024 * 1024;
    run(30);
    EXPECT_EQ(pictures().size(), 1u);
    EXPECT_TRUE(logText().contains(QStringLiteral("disk low")));
    EXPECT_EQ(status().value(QStringLiteral("state")).toString(), QStringLiteral("disk low"));
    freeBytes = 10LL * 1024 * 1024 * 1024;
    run(10);
    EXPECT_EQ(pictures().size(), 2u);
    EXPECT_TRUE(logText().contains(QStringLiteral("disk has room again")));
}

// A chroot or a container whose mount table lacks the pictures' disk: the free space is
// not known (-1). The station shoots as usual and says so once, not at every round.
TEST_F(StationRunnerTest, FreeSpaceTheSystemCannotTellDoesNotStopShootingAndIsSaidOnce) {
    freeBytes = -1;
    startStation();
    run(35);
    EXPECT_EQ(pictures().size(), 4u) << logText().toStdString();
    EXPECT_FALSE(logText().contains(QStringLiteral("disk low")));
    EXPECT_EQ(logText().count(QStringLiteral("Свободное место на диске папки")), 1)
        << logText().toStdString();
    EXPECT_NE(status().value(QStringLiteral("state")).toString(), QStringLiteral("disk low"));

    // Known again and low: the minimum applies as before.
    freeBytes = 100LL * 1024 * 1024;
    run(20);
    EXPECT_EQ(pictures().size(), 4u);
    EXPECT_TRUE(logText().contains(QStringLiteral("disk low")));
}

TEST_F(StationRunnerTest, ARestartGoesOnWhereItWasAndNeverReusesAName) {
    config.pictures.name = QStringLiteral("cam-%n");
    config.schedule.count = 4;
    startStation();
    run(15); // 06:00:00, 06:00:10
    ASSERT_EQ(pictures(), (QStringList{"cam-1.jpg", "cam-2.jpg"}));
    stopStation();     // power cut
    clock.advance(45); // down over 06:00:20 .. 06:00:50
    startStation();
    EXPECT_EQ(runner->missed(), 4);
    run(60);
    EXPECT_TRUE(runner->ended());
    EXPECT_EQ(pictures(), (QStringList{"cam-1.jpg", "cam-2.jpg", "cam-3.jpg", "cam-4.jpg"}));
}

TEST_F(StationRunnerTest, ADailyWindowAcrossMidnightShootsFromItsBeginningToItsEndOnly) {
    config.schedule.intervalSeconds = 1800;
    config.schedule.start = QDateTime(QDate(2026, 12, 7), QTime(20, 0));
    config.schedule.dailyFrom = QTime(22, 0);
    config.schedule.dailyTo = QTime(4, 0);
    clock.set(config.schedule.start->addSecs(-5));
    startStation();
    run(9 * 3600 + 5, 300); // to 05:00 the next morning
    QStringList expected;
    for (QDateTime moment(QDate(2026, 12, 7), QTime(22, 0));
         moment <= QDateTime(QDate(2026, 12, 8), QTime(4, 0)); moment = moment.addSecs(1800))
        expected.append(moment.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                        QStringLiteral(".jpg"));
    EXPECT_EQ(pictures(), expected);
    EXPECT_EQ(runner->missed(), 0) << "points outside the window are not missed";
    EXPECT_EQ(status().value(QStringLiteral("next_shot")).toString(),
              QStringLiteral("2026-12-08T22:00:00"))
        << "the next shot is in the next evening's window";
}

TEST_F(StationRunnerTest, AStationStartedWithoutItsCameraWaitsForItAndAsksNothing) {
    std::vector<int> programEnds;
    setProgramEndHandler([&programEnds](int code) { programEnds.push_back(code); });
    config.schedule.count = 2;
    startStation([this] { camera->script().reportNext(QStringLiteral("cameraCount"), 0, 3); });
    run(30);
    setProgramEndHandler({});
    EXPECT_TRUE(programEnds.empty()) << "the station does not end when no camera is found";
    for (const int wait : {1, 2, 4})
        EXPECT_TRUE(
            logText().contains(QStringLiteral("camera not found; next try in %1 s").arg(wait)))
            << logText().toStdString();
    EXPECT_TRUE(logText().contains(QStringLiteral("camera found")));
    EXPECT_TRUE(runner->ended());
    EXPECT_EQ(pictures().size(), 2u);
}

TEST_F(StationRunnerTest, ACameraFoundAgainGetsTheConfiguredSettingsAfresh) {
    config.camera.imageSize = 1;    // SQ2 1024x768
    config.camera.whiteBalance = 7; // Облачно
    config.camera.iso = 2;          // ISO 100
    config.camera.zoom = 160;
    startStation();
    run(5);
    ASSERT_EQ(pictures().size(), 1u)
        << pictures().join(u' ').toStdString() << logText().toStdString();
    EXPECT_EQ(simulated->imageSize(), ImageSize::Sq2_1024x768);
    EXPECT_EQ(simulated->zoom(), 160);

    unplug();
    run(20);
    // The camera comes back as it starts after a power cut, and its log afresh.
    plugIn();
    simulated->setImageSize(ImageSize::Hq3264x2448);
    simulated->setZoom(80);
    camera->script().clearLog();
    run(70);
    EXPECT_TRUE(logText().contains(QStringLiteral("camera found")));
    EXPECT_EQ(simulated->imageSize(), ImageSize::Sq2_1024x768);
    EXPECT_EQ(simulated->zoom(), 160);
    const QStringList sent =
        camera->script().logOf({QStringLiteral("setWhiteBalance"), QStringLiteral("setIsoSpeed")});
    EXPECT_TRUE(sent.contains(
        QStringLiteral("setWhiteBalance(%1)").arg(int(settingTables::whiteBalances()[7].value))))
        << sent.join(u' ').toStdString();
    EXPECT_TRUE(sent.contains(
        QStringLiteral("setIsoSpeed(%1)").arg(int(settingTables::isoSpeeds()[2].value))))
        << sent.join(u' ').toStdString();
    EXPECT_GE(pictures().size(), 3u) << "and it shoots again";
    EXPECT_FALSE(QFile::exists(config.pictures.folder + QStringLiteral("/preview.jpg")))
        << "nobody looks at previews: the camera takes none";
}

// Old pictures go only once the server has them: one still in the upload queue stays.
TEST_F(StationRunnerTest, KeepDaysDeletesOnlyPicturesThatWereUploaded) {
    const QString serverRoot = dir.filePath(QStringLiteral("server"));
    ASSERT_TRUE(QDir().mkpath(serverRoot + QStringLiteral("/webcam")));
    soak::FtpServerProcess server(serverRoot, dir.filePath(QStringLiteral("server-events")),
                                  QStringLiteral("station"), QStringLiteral("secret"));
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    UploadDestination destination;
    destination.service = UploadDestination::Service::FtpWithTlsWhenOffered;
    destination.account.host = QStringLiteral("127.0.0.1");
    destination.account.port = server.port();
    destination.account.login = QStringLiteral("station");
    destination.account.password = QStringLiteral("secret");
    destination.folder = QStringLiteral("webcam");
    config.upload.destination = destination;
    config.upload.queueLimits.minFreeBytes = 0;
    config.pictures.keepDays = 30;
    startStation();
    run(25); // 06:00:00, :10, :20
    ASSERT_EQ(pictures().size(), 3u);
    // The queue's worker sends on its own thread, in real time.
    const auto queueLength = [this] {
        QCoreApplication::processEvents();
        return engine->backgroundUpload().uploadQueue().length();
    };
    QElapsedTimer waited;
    waited.start();
    while (queueLength() > 0 && waited.elapsed() < 20000)
        QThread::msleep(20);
    ASSERT_EQ(queueLength(), 0) << "the first three are on the server";

    server.stop();
    run(10); // 06:00:30: stays in the queue
    ASSERT_EQ(pictures().size(), 4u);
    ASSERT_EQ(queueLength(), 1);
    // Each picture dated by the station's clock, as the station wrote them.
    for (const QString& name : pictures()) {
        QFile file(config.pictures.folder + u'/' + name);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(
            QDateTime::fromString(name.left(15), QStringLiteral("yyyyMMdd-HHmmss")),
            QFileDevice::FileModificationTime));
    }
    unplug(); // no new picture meanwhile
    clock.advance(31 * 24 * 3600);
    runner->round();
    EXPECT_EQ(pictures(), QStringList{QStringLiteral("20261207-060030.jpg")});
    EXPECT_TRUE(
        logText().contains(QStringLiteral("deleted 20261207-060000.jpg: older than 30 days")));
}

// The camera gone at the worst moments: right after the shot, before it named the
// picture; and right after the download, before the card's copy was deleted.
TEST_F(StationRunnerTest,
       PicturesACameraLostMidCaptureLeftOnTheCardAreCopiedOrDeletedOnceItIsBack) {
    QString unplugAfter = QStringLiteral("takePicture");
    startStation([&] {
        camera->afterCall = [&](const QString& operation) {
            if (operation == unplugAfter) {
                unplugAfter.clear();
                unplug();
            }
        };
    });
    run(5); // 06:00:00
    EXPECT_TRUE(pictures().isEmpty());
    ASSERT_EQ(runner->state().onCard.size(), 1);
    EXPECT_TRUE(runner->state().onCard[0].cardName.isEmpty()) << "not named: noted before the shot";
    plugIn();
    run(5); // found again, the picture copied
    EXPECT_EQ(pictures(), QStringList{QStringLiteral("20261207-060000.jpg")});
    EXPECT_EQ(simulated->picturesOnCard(), 0);

    unplugAfter = QStringLiteral("downloadPicture");
    run(20); // the next shot is stored, its card copy stays
    plugIn();
    run(30); // within the backoff's wait, found again
    EXPECT_GE(pictures().size(), 3u);
    EXPECT_EQ(simulated->picturesOnCard(), 0) << "the stored picture's copy left the card";
    EXPECT_EQ(runner->state().stored, pictures().size()) << "each counted once";
    EXPECT_TRUE(runner->state().onCard.isEmpty());
    EXPECT_TRUE(logText().contains(QStringLiteral("left the card"))) << logText().toStdString();
}
