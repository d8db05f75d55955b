#include "station/StationRunner.h"
#include "camera/simulator/SimulatedCamera.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "engine/Engine.h"
#include "station/ServiceNotifier.h"
#include "station/StationLog.h"
#include "station/StationMessages.h"
#include "support/QtPrinters.h"
#include "support/ScriptedCamera.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
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

    void startStation() {
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
    // Seconds pass, a round each.
    void run(int seconds) {
        for (int i = 0; i < seconds && !runner->ended(); ++i) {
            clock.advance(1);
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
