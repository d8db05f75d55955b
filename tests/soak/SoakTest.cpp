#include "FtpServerSide.h"
#include "SoakReport.h"
#include "SoakRun.h"
#include "StationSoak.h"

#include <gtest/gtest.h>

using namespace snapdeck::soak;

namespace {

template <typename Key> int count(const std::map<Key, int>& counts, Key key) {
    const auto found = counts.find(key);
    return found == counts.end() ? 0 : found->second;
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
