#include "SoakReport.h"

#include "FtpServerSide.h"

namespace snapdeck::soak {

namespace {

int countOf(const std::map<UnplugMoment, int>& counts, UnplugMoment key) {
    const auto found = counts.find(key);
    return found == counts.end() ? 0 : found->second;
}

int countOf(const std::map<ServerOutage, int>& counts, ServerOutage key) {
    const auto found = counts.find(key);
    return found == counts.end() ? 0 : found->second;
}

int countOf(const std::map<BoxKind, int>& counts, BoxKind key) {
    const auto found = counts.find(key);
    return found == counts.end() ? 0 : found->second;
}

QString ms(double value) {
    return QString::number(value, 'f', 1) + QStringLiteral(" ms");
}

} // namespace

QString soakReport(const SoakFigures& f) {
    const PictureCount& p = f.pictures;
    const UploadCount& u = f.uploads;
    QStringList out;
    out << QStringLiteral("Snapdeck soak: seed %1, %2 interval shots, one a second, 640x480")
               .arg(f.seed)
               .arg(f.shotsPlanned);
    out << QStringLiteral("  %1 rounds, %2 s on the station's clock, %3 s wall")
               .arg(f.rounds)
               .arg(f.stationSeconds)
               .arg(f.wallSeconds, 0, 'f', 1);
    out << QStringLiteral("pictures");
    out << QStringLiteral("  stored by the interval run  %1").arg(f.shots);
    out << QStringLiteral("  taken by the camera         %1").arg(p.taken);
    out << QStringLiteral("  on disk                     %1 (%2 files)")
               .arg(p.onDisk)
               .arg(p.diskFiles);
    out << QStringLiteral("  still on the card           %1").arg(p.onCard);
    out << QStringLiteral("  on disk and on the card     %1").arg(p.onDiskAndCard);
    out << QStringLiteral("  LOST                        %1").arg(p.lost);
    out << QStringLiteral("  damaged %1, strays %2, twice on disk %3, half-written files %4")
               .arg(p.damaged)
               .arg(p.strays)
               .arg(p.duplicatesOnDisk)
               .arg(p.temporaryFiles);
    if (f.backgroundQueue) {
        const ServerHoldings& h = f.server;
        out << QStringLiteral("uploads through the queue (\"Отправлять в фоне\")");
        out << QStringLiteral("  server down %1 of %2 rounds; %3 long outages, the longest %4 "
                              "rounds")
                   .arg(f.roundsServerDown)
                   .arg(f.rounds)
                   .arg(f.longOutages)
                   .arg(f.longestOutageRounds);
        out << QStringLiteral("  kills mid-upload: %1 struck at the worker's STOR, %2 between "
                              "uploads after waiting for one")
                   .arg(f.killedAtStor)
                   .arg(f.killedWaitingForStor);
        out << QStringLiteral("  queue at its longest %1; backlogs of 30 or more drained while "
                              "shooting %2 times; at the end drained in %3 s real after the "
                              "server was back for good, %4 left")
                   .arg(f.longestQueue)
                   .arg(f.backlogsDrained)
                   .arg(f.drainSeconds, 0, 'f', 1)
                   .arg(f.queueLeft);
        out << QStringLiteral("  on the server %1: whole %2, HALF %3, under two names %4; on "
                              "disk and not there %5; part files %6")
                   .arg(h.onServer)
                   .arg(h.identical)
                   .arg(h.half)
                   .arg(h.underTwoNames)
                   .arg(h.missing)
                   .arg(h.partFiles);
        for (const QString& example : h.examples)
            out << QStringLiteral("    ") + example;
    } else {
        out << QStringLiteral("uploads");
        out << QStringLiteral("  attempted %1, done %2, failed %3")
                   .arg(u.attempted)
                   .arg(u.done)
                   .arg(u.failed);
        out << QStringLiteral("  on the server %1: done and identical %2, failed but there %3, "
                              "part files %4")
                   .arg(u.onServer)
                   .arg(u.doneAndIdentical)
                   .arg(u.failedButOnServer)
                   .arg(u.partFiles);
    }
    out << QStringLiteral("faults");
    out << QStringLiteral("  camera unplugged: between shots %1, after taking %2, after "
                          "download %3")
               .arg(countOf(f.unplugs, UnplugMoment::BetweenShots))
               .arg(countOf(f.unplugs, UnplugMoment::AfterTakePicture))
               .arg(countOf(f.unplugs, UnplugMoment::AfterDownload));
    out << QStringLiteral("  \"Камера не подключена!\" %1 boxes, \"Прекратить попытки\" %2")
               .arg(countOf(f.boxes, BoxKind::CameraNotConnected))
               .arg(f.userStops);
    out << QStringLiteral("  download silent (26) %1, download error %2")
               .arg(f.downloadSilences)
               .arg(f.downloadErrors);
    out << QStringLiteral("  disk full: %1 bursts, %2 writes met it")
               .arg(f.diskFullBursts)
               .arg(f.diskFullWrites);
    QStringList outages;
    for (const ServerOutage outage :
         {ServerOutage::Stopped, ServerOutage::Killed, ServerOutage::KilledMidUpload,
          ServerOutage::SilentAtConnect, ServerOutage::SilentAtStore})
        outages << QStringLiteral("%1 %2")
                       .arg(QLatin1String(outageName(outage)))
                       .arg(countOf(f.outages, outage));
    out << QStringLiteral("  FTP server: ") + outages.join(QStringLiteral(", "));
    out << QStringLiteral("  boxes: disk full %1, download error %2, server silent %3, file "
                          "not sent %4, unexpected %5")
               .arg(countOf(f.boxes, BoxKind::DiskFull))
               .arg(countOf(f.boxes, BoxKind::DownloadFailed))
               .arg(countOf(f.boxes, BoxKind::FtpServerSilent))
               .arg(countOf(f.boxes, BoxKind::FtpFileNotSent))
               .arg(countOf(f.boxes, BoxKind::Unexpected));
    for (const QString& text : f.unexpectedBoxes)
        out << QStringLiteral("    unexpected: ") +
                   QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" | "));
    out << QStringLiteral("station thread (the engine's commands, run as its timers would)");
    out << QStringLiteral("  longest command %1 (%2, round %3); with no FTP outage on %4 "
                          "(round %5)")
               .arg(ms(f.longestTickMs), f.longestTickHandler)
               .arg(f.longestTickRound)
               .arg(ms(f.longestTickQuietServerMs))
               .arg(f.longestTickQuietServerRound);
    out << QStringLiteral("  interval tick: median %1, 99th percentile %2; with no FTP outage "
                          "on: median %3, 99th percentile %4")
               .arg(ms(f.shotTickMedianMs), ms(f.shotTickP99Ms), ms(f.quietShotTickMedianMs),
                    ms(f.quietShotTickP99Ms));
    out << QStringLiteral("  exceptions out of the engine %1").arg(f.escapedExceptions);
    if (!f.runEndedEarly.isEmpty())
        out << QStringLiteral("  RUN ENDED EARLY: ") + f.runEndedEarly;
    out << QStringLiteral("memory (VmRSS)");
    out << QStringLiteral("  after warm-up (%1 shots) %2 KiB, at the end %3 KiB, growth %4 KiB, "
                          "peak %5 KiB")
               .arg(f.warmupShots)
               .arg(f.rssAfterWarmupKiB)
               .arg(f.rssEndKiB)
               .arg(f.rssEndKiB - f.rssAfterWarmupKiB)
               .arg(f.rssPeakKiB);
    reportMemorySamples(out, f, QStringLiteral("shots"));
    if (!f.serverFailure.isEmpty())
        out << QStringLiteral("  FTP server trouble: ") + f.serverFailure;
    return out.join(u'\n') + u'\n';
}

QStringList soakProblems(const SoakFigures& f, qint64 memoryToleranceKiB) {
    const PictureCount& p = f.pictures;
    QStringList problems;
    const auto check = [&](bool wrong, const QString& what) {
        if (wrong)
            problems << what;
    };
    checkPictures(problems, p);
    if (f.backgroundQueue) {
        const ServerHoldings& h = f.server;
        check(p.duplicatesOnDisk != 0,
              QStringLiteral("%1 pictures stored twice").arg(p.duplicatesOnDisk));
        check(h.missing != 0 || f.queueLeft != 0,
              QStringLiteral("%1 pictures never reached the server (%2 left in the queue)")
                  .arg(h.missing)
                  .arg(f.queueLeft));
        check(h.half != 0,
              QStringLiteral("%1 pictures on the server are half or different").arg(h.half));
        check(h.underTwoNames != 0,
              QStringLiteral("%1 pictures on the server under two names").arg(h.underTwoNames));
    } else {
        check(f.uploads.doneAndIdentical != f.uploads.done,
              QStringLiteral("%1 uploads reported done are not on the server as sent: %2")
                  .arg(f.uploads.done - f.uploads.doneAndIdentical)
                  .arg(f.uploads.missing.join(QStringLiteral(", "))));
        check(f.uploads.onServer != f.uploads.doneAndIdentical + f.uploads.failedButOnServer,
              QStringLiteral("%1 pictures on the server, %2 sent there")
                  .arg(f.uploads.onServer)
                  .arg(f.uploads.doneAndIdentical + f.uploads.failedButOnServer));
    }
    check(!f.unexpectedBoxes.isEmpty(), QStringLiteral("message boxes no fault explains"));
    check(f.escapedExceptions != 0,
          QStringLiteral("%1 exceptions escaped the engine").arg(f.escapedExceptions));
    check(!f.runEndedEarly.isEmpty(), QStringLiteral("the run ended early: ") + f.runEndedEarly);
    check(f.shots != f.shotsPlanned,
          QStringLiteral("%1 of %2 shots").arg(f.shots).arg(f.shotsPlanned));
    check(!f.serverFailure.isEmpty(), QStringLiteral("FTP server: ") + f.serverFailure);
    checkMemory(problems, f, memoryToleranceKiB);
    return problems;
}

void reportMemorySamples(QStringList& out, const MemoryFigures& memory, const QString& unit) {
    QStringList samples;
    for (const auto& [when, kib] : memory.rssSamples)
        samples << QStringLiteral("%1:%2").arg(when).arg(kib);
    out << QStringLiteral("  %1:KiB ").arg(unit) + samples.join(u' ');
    out << QStringLiteral("  heap in use after warm-up %1 KiB, at the end %2 KiB, growth %3 KiB")
               .arg(memory.heapAfterWarmupKiB)
               .arg(memory.heapEndKiB)
               .arg(memory.heapEndKiB - memory.heapAfterWarmupKiB);
}

void checkPictures(QStringList& problems, const PictureCount& p) {
    if (p.lost != 0)
        problems << QStringLiteral("%1 pictures lost").arg(p.lost);
    if (p.damaged != 0)
        problems << QStringLiteral("%1 damaged pictures").arg(p.damaged);
    if (p.strays != 0)
        problems << QStringLiteral("%1 pictures nobody saw taken").arg(p.strays);
    if (p.temporaryFiles != 0)
        problems << QStringLiteral("%1 half-written files left").arg(p.temporaryFiles);
}

void checkMemory(QStringList& problems, const MemoryFigures& memory, qint64 memoryToleranceKiB) {
    const qint64 growth = memory.rssEndKiB - memory.rssAfterWarmupKiB;
    if (memoryToleranceKiB >= 0 && growth > memoryToleranceKiB)
        problems << QStringLiteral("resident memory grew by %1 KiB after warm-up").arg(growth);
}

} // namespace snapdeck::soak
