#include "FtpServerSide.h"
#include "ServerHoldings.h"
#include "SoakReport.h"
#include "SoakRun.h"
#include "StationSoak.h"
#include "camera/simulator/SimulatedScene.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace snapdeck::soak;

namespace {

template <typename Key> int count(const std::map<Key, int>& counts, Key key) {
    const auto found = counts.find(key);
    return found == counts.end() ? 0 : found->second;
}

// A small picture carrying its number as the simulated camera's do.
QByteArray pictureNumbered(int shot) {
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setText(snapdeck::kSceneCommentKey, QStringLiteral("soak; shot %1").arg(shot));
    writer.write(image);
    return bytes;
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// The soak in small: a block and a half of the fault plan, so every kind of fault
// strikes, and still no picture may be lost. scripts/soak.sh runs the long one.
TEST(Soak, OneHundredFiftyShotsThroughEveryFaultLoseNoPicture) {
    SoakOptions options;
    options.shots = 150;
    options.seed = 7;
    options.warmupShots = 0;
    SoakFigures figures;
    QString failure;
    ASSERT_TRUE(runSoak(options, figures, &failure)) << failure.toStdString();
    const std::string report = soakReport(figures).toStdString();

    EXPECT_EQ(soakProblems(figures, -1), QStringList()) << report;
    EXPECT_EQ(figures.pictures.lost, 0) << report;
    EXPECT_GT(figures.pictures.taken, 135) << report;
    EXPECT_EQ(figures.pictures.onDisk + figures.pictures.onCard - figures.pictures.onDiskAndCard,
              figures.pictures.taken)
        << report;

    // Each fault struck, and some left their picture on the card.
    for (const UnplugMoment moment :
         {UnplugMoment::BetweenShots, UnplugMoment::AfterTakePicture, UnplugMoment::AfterDownload})
        EXPECT_GT(count(figures.unplugs, moment), 0) << report;
    EXPECT_GT(count(figures.boxes, BoxKind::CameraNotConnected), 0) << report;
    EXPECT_GT(figures.userStops, 0) << report;
    EXPECT_GT(count(figures.boxes, BoxKind::DownloadFailed), 0) << report;
    EXPECT_GT(count(figures.boxes, BoxKind::DiskFull), 0) << report;
    for (const ServerOutage outage :
         {ServerOutage::Stopped, ServerOutage::Killed, ServerOutage::KilledMidUpload,
          ServerOutage::SilentAtConnect, ServerOutage::SilentAtStore})
        EXPECT_GT(count(figures.outages, outage), 0) << outageName(outage) << '\n' << report;
    EXPECT_GT(count(figures.boxes, BoxKind::FtpServerSilent), 0) << report;
    EXPECT_GT(figures.pictures.onCard, 0) << report;

    // Every stored picture went to the upload, but those whose capture the user gave up
    // after storing them, waiting for the camera to delete its copy; and uploads went on
    // around the outages.
    EXPECT_LE(figures.uploads.attempted, figures.shots) << report;
    EXPECT_GE(figures.uploads.attempted,
              figures.shots - count(figures.unplugs, UnplugMoment::AfterDownload))
        << report;
    EXPECT_GT(figures.uploads.failed, 0) << report;
    EXPECT_GT(figures.uploads.done, figures.uploads.failed) << report;
    EXPECT_EQ(figures.uploads.doneAndIdentical, figures.uploads.done) << report;
}

// The headless station's soak in small: one block of its fault plan, so every fault
// strikes at every moment, "kill -9" restarts included; scripts/soak.sh station runs the
// long one.
TEST(StationSoak, TwoHundredRoundsThroughEveryFaultLoseNoPictureAndGiveNoNameTwice) {
    StationSoakOptions options;
    options.rounds = 200;
    options.seed = 5;
    options.warmupRounds = 0;
    options.drainSeconds = 60;
    StationSoakFigures figures;
    QString failure;
    ASSERT_TRUE(runStationSoak(options, figures, &failure)) << failure.toStdString();
    const std::string report = stationSoakReport(figures).toStdString();

    EXPECT_EQ(stationSoakProblems(figures, -1), QStringList()) << report;
    EXPECT_EQ(figures.pictures.lost, 0) << report;
    EXPECT_GT(figures.pictures.taken, 20) << report;
    EXPECT_EQ(figures.pictures.onCard, 0) << "what faults left on the card was copied\n" << report;
    EXPECT_EQ(figures.serverIdentical, figures.pictures.diskFiles) << report;
    for (const CaptureMoment moment :
         {CaptureMoment::BetweenRounds, CaptureMoment::AfterTakePicture,
          CaptureMoment::AfterDownload, CaptureMoment::AfterStored})
        EXPECT_GT(count(figures.crashes, moment), 0) << momentName(moment) << '\n' << report;
    for (const CaptureMoment moment :
         {CaptureMoment::BetweenRounds, CaptureMoment::AfterTakePicture,
          CaptureMoment::AfterDownload})
        EXPECT_GT(count(figures.cameraAway, moment), 0) << momentName(moment) << '\n' << report;
    for (const ServerOutage outage :
         {ServerOutage::Stopped, ServerOutage::Killed, ServerOutage::KilledMidUpload,
          ServerOutage::SilentAtConnect, ServerOutage::SilentAtStore})
        EXPECT_GT(count(figures.outages, outage), 0) << outageName(outage) << '\n' << report;
}

// The queue soak in small: the server down for a long stretch while a shot a second
// goes into the background queue, beside every other fault; once the server is back
// the queue drains and every picture on disk is on the server, whole, under one name.
TEST(Soak, ThroughTheQueueEveryPictureReachesTheServerWholeAfterALongOutage) {
    SoakOptions options;
    options.shots = 350;
    options.seed = 3;
    options.warmupShots = 0;
    options.backgroundQueue = true;
    options.drainSeconds = 90;
    SoakFigures figures;
    QString failure;
    ASSERT_TRUE(runSoak(options, figures, &failure)) << failure.toStdString();
    const std::string report = soakReport(figures).toStdString();

    EXPECT_EQ(soakProblems(figures, -1), QStringList()) << report;
    EXPECT_EQ(figures.pictures.lost, 0) << report;
    EXPECT_GE(figures.longOutages, 1) << report;
    EXPECT_GE(figures.roundsServerDown, FaultPlan::kLongOutageShortest) << report;
    EXPECT_GT(figures.longestQueue, 20) << "the backlog built up while the server was away\n"
                                        << report;
    EXPECT_GE(figures.backlogsDrained, 1) << "and drained while shooting went on\n" << report;
    EXPECT_EQ(figures.queueLeft, 0) << report;
    EXPECT_EQ(figures.server.identical, figures.pictures.diskFiles) << report;
    EXPECT_EQ(figures.server.half, 0) << report;
    EXPECT_EQ(figures.server.underTwoNames, 0) << report;
    EXPECT_EQ(figures.uploads.attempted, 0) << "nothing went by the upload at once\n" << report;
}

// The queue soak's verdict on the server: a picture cut short, one that never arrived
// and one held under a second name are each found; an upload's hidden part file is not
// taken for a picture.
TEST(Soak, TheServerCheckFindsHalfMissingAndTwiceNamedPictures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir work(dir.filePath(QStringLiteral("work")));
    const QDir server(dir.filePath(QStringLiteral("server")));
    QDir().mkpath(work.path());
    QDir().mkpath(server.path());
    for (int shot = 1; shot <= 4; ++shot)
        put(work.filePath(QStringLiteral("%1.jpg").arg(shot)), pictureNumbered(shot));
    put(work.filePath(QStringLiteral("preview.jpg")), pictureNumbered(99));

    QFile::copy(work.filePath(QStringLiteral("1.jpg")), server.filePath(QStringLiteral("1.jpg")));
    QFile::copy(work.filePath(QStringLiteral("4.jpg")), server.filePath(QStringLiteral("4.jpg")));
    put(server.filePath(QStringLiteral(".3.jpg.part")), pictureNumbered(3).left(100));
    ServerHoldings whole = serverHoldings(work.path(), server.path());
    EXPECT_EQ(whole.onServer, 2);
    EXPECT_EQ(whole.identical, 2);
    EXPECT_EQ(whole.half, 0);
    EXPECT_EQ(whole.partFiles, 1);
    EXPECT_EQ(whole.missing, 2) << "2.jpg and 3.jpg; the preview is not uploaded";

    put(server.filePath(QStringLiteral("2.jpg")), pictureNumbered(2).left(200));
    QFile::copy(work.filePath(QStringLiteral("4.jpg")), server.filePath(QStringLiteral("5.jpg")));
    QFile::copy(work.filePath(QStringLiteral("3.jpg")), server.filePath(QStringLiteral("3.jpg")));
    const ServerHoldings wrong = serverHoldings(work.path(), server.path());
    EXPECT_EQ(wrong.onServer, 5);
    EXPECT_EQ(wrong.identical, 3);
    EXPECT_EQ(wrong.half, 2) << "2.jpg cut short, 5.jpg not the disk's";
    EXPECT_EQ(wrong.underTwoNames, 1) << "picture 4 as 4.jpg and 5.jpg";
    EXPECT_EQ(wrong.missing, 0);
}
