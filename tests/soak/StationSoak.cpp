#include "StationSoak.h"

#include "SoakReport.h"
#include "camera/simulator/SimulatedCamera.h"
#include "common/AtomicFile.h"
#include "engine/Engine.h"
#include "station/StationLog.h"
#include "station/StationMessages.h"
#include "station/StationRunner.h"
#include "support/ProcessMemory.h"
#include "support/ScriptedCamera.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <condition_variable>
#include <malloc.h>
#include <mutex>
#include <thread>

namespace snapdeck::soak {

namespace {

const QString kUser = QStringLiteral("station");
const QString kPassword = QStringLiteral("soak");
const QString kServerFolder = QStringLiteral("webcam");
const QString kLatestName = QStringLiteral("latest.jpg");
constexpr int kDownloadErrorNumber = 1006;
constexpr qint64 kMinFree = 50LL * 1024 * 1024;

QDateTime stationStart() {
    return QDateTime(QDate(2026, 6, 1), QTime(6, 0, 0));
}

// A card that never fills, and a battery on mains power.
const QByteArray kCameraIni = "capacity=100000\nbattery=100\n";

// The kill -9: an exception no part of the engine or the station catches, thrown from
// inside a camera call, so that everything above it stops where it is.
struct StationKilled {};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename Key> int countOf(const std::map<Key, int>& counts, Key key) {
    const auto found = counts.find(key);
    return found == counts.end() ? 0 : found->second;
}

} // namespace

// The queue's sends on a thread of their own, as the worker makes them: a batch when
// asked, the caller waiting for its end.
class UploadThread {
public:
    explicit UploadThread(std::function<void()> batch)
        : batch_(std::move(batch)), thread_([this] { run(); }) {}
    ~UploadThread() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    void runBatch() {
        std::unique_lock lock(mutex_);
        pending_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return !pending_; });
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stopping_ || pending_; });
            if (stopping_)
                return;
            lock.unlock();
            batch_();
            lock.lock();
            pending_ = false;
            changed_.notify_all();
        }
    }

    std::function<void()> batch_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool pending_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

StationSoak::StationSoak(const StationSoakOptions& options)
    : options_(options), clock_(stationStart()) {}

StationSoak::~StationSoak() {
    writeLimit_.release();
    dropStation();
}

void StationSoak::dropStation() {
    uploadThread_.reset();
    runner_.reset();
    engine_.reset();
    messages_.reset();
    log_.reset();
}

bool StationSoak::quiet() const {
    return downRoundsLeft_ == 0 && !server_->outageActive() &&
           engine_->backgroundUpload().uploadQueue().length() == 0;
}

bool StationSoak::setUp(QString* failure) {
    if (!dir_.isValid()) {
        *failure = QStringLiteral("no temporary folder");
        return false;
    }
    const QDir dir(dir_.path());
    picturesPath_ = dir.filePath(QStringLiteral("pictures"));
    cardPath_ = dir.filePath(QStringLiteral("card"));
    QDir().mkpath(picturesPath_);
    QDir().mkpath(cardPath_);
    writeFileAtomically(cardPath_ + QStringLiteral("/camera.ini"), kCameraIni);

    server_ =
        std::make_unique<FtpServerSide>(dir.filePath(QStringLiteral("server")), kUser, kPassword);
    server_->killMidUploadAtStor();
    QDir(server_->root()).mkpath(kServerFolder);
    if (!server_->start()) {
        *failure = server_->failure();
        return false;
    }

    camera_ = SimulatedCamera::withCardFolder(cardPath_);
    cable_ = std::make_unique<test::ScriptedCamera>(*camera_);
    cable_->afterCall = [this](const QString& operation) { afterCameraCall(operation); };
    ledger_ = std::make_unique<PictureLedger>(cardPath_, options_.rounds);
    console_ = std::make_unique<StationLogWatch>(options_.rounds + 1000);

    config_.camera.camera = QStringLiteral("simulator:") + cardPath_;
    config_.camera.imageSize = 0; // 640x480
    config_.pictures.folder = picturesPath_;
    config_.pictures.name = QStringLiteral("%Y%m%d-%H%M%S");
    config_.pictures.minFreeBytes = kMinFree;
    config_.schedule.intervalSeconds = 1;
    UploadDestination destination;
    destination.service = UploadDestination::Service::FtpWithTlsWhenOffered;
    destination.account.host = QStringLiteral("127.0.0.1");
    destination.account.port = server_->port();
    destination.account.login = kUser;
    destination.account.password = kPassword;
    destination.folder = kServerFolder;
    config_.upload.destination = destination;
    config_.upload.latestName = kLatestName;
    config_.upload.queueLimits.minFreeBytes = 0;

    start();
    if (!runner_ || runner_->ended()) {
        *failure = QStringLiteral("the station did not start");
        return false;
    }
    return true;
}

// The station as the program builds it, over the folders as they are.
void StationSoak::start() {
    log_ = std::make_unique<StationLog>(picturesPath_ + QStringLiteral("/station.log"), clock_,
                                        console_->console());
    messages_ = std::make_unique<StationMessages>(*log_, [this] { return clock_.now(); });
    engine_ = std::make_unique<Engine>(
        EngineServices{*cable_, *messages_, clock_, WorkFolder(picturesPath_), QLocale::c()});
    runner_ =
        std::make_unique<StationRunner>(config_, *engine_, clock_, *log_, *messages_, notifier_);
    runner_->freeBytes = [this] {
        return diskLowRoundsLeft_ > 0 ? kMinFree / 4 : 100LL * 1024 * 1024 * 1024;
    };
    try {
        runner_->start(false);
    } catch (const StationKilled&) {
        return crash();
    }
    if (uploadsByHand_)
        takeOverUploads();
}

// The worker is parked: an upload under way is cut off (its entry stays), and disabled,
// it sends nothing by itself. A new station starts with a fresh backoff, as a new
// process does.
void StationSoak::takeOverUploads() {
    BackgroundUpload& uploads = engine_->backgroundUpload();
    uploads.setEnabled(false);
    uploads.worker().stop();
    uploads.worker().start();
    // A silent server holds each try for these, on the soak's thread.
    TransportOptions options;
    options.connectTimeout = std::chrono::milliseconds(500);
    options.responseTimeout = std::chrono::seconds(1);
    options.stallTimeout = std::chrono::seconds(1);
    uploads.worker().setOptions(options);
    uploadBackoff_ = Backoff();
    nextUploadMs_ = 0;
    uploadThread_ = std::make_unique<UploadThread>([this] { sendUploads(); });
}

// On the upload thread, the soak's thread waiting.
void StationSoak::sendUploads() {
    constexpr int kMostPerRound = 5;
    if (clock_.monotonicMs() < nextUploadMs_)
        return;
    BackgroundUpload& uploads = engine_->backgroundUpload();
    for (int sent = 0; sent < kMostPerRound && uploads.uploadQueue().length() > 0; ++sent) {
        const int before = uploads.uploadQueue().length();
        if (uploads.worker().sendOldest()) {
            uploadBackoff_.succeeded();
            continue;
        }
        if (uploads.uploadQueue().length() < before)
            continue; // set aside
        nextUploadMs_ = clock_.monotonicMs() + uploadBackoff_.afterFailure().count();
        return;
    }
}

// Dropped where it stands: no orderly stop, nothing more saved.
void StationSoak::crash() {
    ++crashes_[armedCrash_ ? armedCrash_->moment : CaptureMoment::BetweenRounds];
    downRoundsLeft_ = armedCrash_ ? armedCrash_->downRounds : 0;
    armedCrash_.reset();
    crashing_ = true;
    writeLimit_.release();
    dropStation();
    crashing_ = false;
    // A real restart starts with a fresh heap: the memory the dropped station freed goes
    // back to the system. Memory still in use stays, so a leak still shows.
    malloc_trim(0);
    if (downRoundsLeft_ == 0)
        start();
}

void StationSoak::runRound(const std::vector<StationFault>& faults) {
    ++round_;
    for (const StationFault& fault : faults)
        apply(fault);
    clock_.advance(1);
    if (!armedCrash_ && downRoundsLeft_ == 0 && !crashesWaiting_.empty()) {
        armedCrash_ = crashesWaiting_.front();
        crashesWaiting_.pop_front();
    }
    if (downRoundsLeft_ > 0) {
        if (--downRoundsLeft_ == 0)
            start();
    } else if (armedCrash_ && armedCrash_->moment == CaptureMoment::BetweenRounds) {
        crash();
    } else {
        stationRound();
        if (uploadThread_)
            uploadThread_->runBatch();
    }
    // The worker's reports reach the engine through its thread's event queue.
    QCoreApplication::processEvents();
    endRound();
}

void StationSoak::stationRound() {
    try {
        runner_->round();
    } catch (const StationKilled&) {
        crash();
    } catch (...) {
        ++escapedExceptions_;
    }
}

void StationSoak::apply(const StationFault& fault) {
    if (const auto* away = std::get_if<CameraAway>(&fault)) {
        if (away->moment == CaptureMoment::BetweenRounds) {
            ++awayCounts_[away->moment];
            unplug();
            cameraAwayRoundsLeft_ = std::max(cameraAwayRoundsLeft_, away->rounds);
        } else {
            armedAways_.push_back(*away);
        }
    } else if (std::holds_alternative<DownloadFailure>(fault)) {
        ++downloadFailures_;
        cable_->script().failNext(QStringLiteral("downloadPicture"), kDownloadErrorNumber, 1,
                                  QStringLiteral("Ошибка чтения снимка с карты памяти"));
    } else if (const auto* low = std::get_if<DiskLow>(&fault)) {
        ++diskLowStretches_;
        diskLowRoundsLeft_ = std::max(diskLowRoundsLeft_, low->rounds);
    } else if (const auto* full = std::get_if<WritesFail>(&fault)) {
        ++writeFailBursts_;
        writesFailRoundsLeft_ = std::max(writesFailRoundsLeft_, full->rounds);
    } else if (const auto* outage = std::get_if<ServerFault>(&fault)) {
        server_->begin(*outage);
    } else if (const auto* crash = std::get_if<Crash>(&fault)) {
        crashesWaiting_.push_back(*crash);
    }
}

void StationSoak::afterCameraCall(const QString& operation) {
    if (crashing_)
        return;
    if (operation == QStringLiteral("takePicture")) {
        ledger_->noteTaken();
        strike(CaptureMoment::AfterTakePicture);
    } else if (operation == QStringLiteral("downloadPicture")) {
        // The picture is in the station's hands; the disk it goes to is full.
        if (writesFailRoundsLeft_ > 0 && writeLimit_.engage())
            ++writesRefused_;
        strike(CaptureMoment::AfterDownload);
    } else if (operation == QStringLiteral("deletePicture")) {
        strike(CaptureMoment::AfterStored);
    }
}

void StationSoak::strike(CaptureMoment moment) {
    for (auto armed = armedAways_.begin(); armed != armedAways_.end(); ++armed) {
        if (armed->moment != moment)
            continue;
        ++awayCounts_[moment];
        cameraAwayRoundsLeft_ = std::max(cameraAwayRoundsLeft_, armed->rounds);
        armedAways_.erase(armed);
        unplug();
        break;
    }
    if (armedCrash_ && armedCrash_->moment == moment)
        throw StationKilled{};
}

void StationSoak::unplug() {
    if (cameraAway_)
        return;
    cameraAway_ = QDir().rename(cardPath_, cardPath_ + QStringLiteral(".away"));
}

void StationSoak::plugIn() {
    if (cameraAway_ && QDir().rename(cardPath_ + QStringLiteral(".away"), cardPath_))
        cameraAway_ = false;
}

void StationSoak::endRound() {
    writeLimit_.release();
    if (cameraAwayRoundsLeft_ > 0 && --cameraAwayRoundsLeft_ == 0)
        plugIn();
    if (diskLowRoundsLeft_ > 0)
        --diskLowRoundsLeft_;
    if (writesFailRoundsLeft_ > 0)
        --writesFailRoundsLeft_;
    server_->endOfRound();
    camera_->setBatteryLevel(100);
    cable_->script().clearLog(); // nobody reads it; it must not grow while memory is measured
}

void StationSoak::finish() {
    armedAways_.clear();
    armedCrash_.reset();
    crashesWaiting_.clear();
    cameraAwayRoundsLeft_ = 0;
    diskLowRoundsLeft_ = 0;
    writesFailRoundsLeft_ = 0;
    plugIn();
    server_->endAllOutages();
    if (downRoundsLeft_ > 0) {
        downRoundsLeft_ = 0;
        start();
    }
    // An orderly stop and start: what is noted on the card is copied, and the queue's
    // worker drains the backlog on its own thread, in real time, as in the program.
    runner_->stop();
    dropStation();
    clock_.advance(1);
    uploadsByHand_ = false;
    start();
    QElapsedTimer waited;
    waited.start();
    const auto queued = [this] { return engine_->backgroundUpload().uploadQueue().length(); };
    while (queued() > 0 && waited.elapsed() < qint64(options_.drainSeconds) * 1000) {
        QCoreApplication::processEvents();
        QThread::msleep(50);
    }
    drainSeconds_ = double(waited.elapsed()) / 1000;
    QCoreApplication::processEvents();
    runner_->round(); // status.json as it is now
}

void StationSoak::fill(StationSoakFigures& f) const {
    f.rounds = round_;
    f.stationSeconds = stationStart().secsTo(clock_.now());
    f.pictures = ledger_->count(picturesPath_);
    f.stored = runner_->state().stored;
    f.counter = runner_->state().counter;
    f.onCardNoted = int(runner_->state().onCard.size());
    f.namesGiven = console_->namesGiven();
    f.namesReused = console_->namesReused();
    f.namesSuffixed = console_->namesSuffixed();

    const QDir server(QDir(server_->root()).filePath(kServerFolder));
    for (const QFileInfo& file : server.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString name = file.fileName();
        if (name.endsWith(QStringLiteral(".part"))) {
            ++f.partFiles;
        } else if (name == kLatestName) {
            QImageReader reader(file.absoluteFilePath());
            f.latestWhole = !reader.read().isNull();
        } else {
            ++f.onServer;
            if (contents(file.absoluteFilePath()) == contents(picturesPath_ + u'/' + name))
                ++f.serverIdentical;
            else
                ++f.serverHalf;
        }
    }
    for (const QFileInfo& file :
         QDir(picturesPath_).entryInfoList({QStringLiteral("*.jpg")}, QDir::Files))
        if (!QFileInfo::exists(server.filePath(file.fileName())))
            ++f.missingOnServer;
    f.queueLeft = engine_->backgroundUpload().uploadQueue().length();
    f.drainSeconds = drainSeconds_;

    f.cameraAway = awayCounts_;
    f.crashes = crashes_;
    f.downloadFailures = downloadFailures_;
    f.diskLowStretches = diskLowStretches_;
    f.writeFailBursts = writeFailBursts_;
    f.writesRefused = writesRefused_;
    f.outages = server_->outagesBegun;
    f.killedAtStor = server_->killedAtStor;
    for (const char* event :
         {"shot due", "stored", "shot missed", "camera lost", "camera found", "camera not found",
          "copied", "disk low", "disk has room again", "removed", "state not saved",
          "status not written", "station started", "message:"})
        f.events[QString::fromLatin1(event)] = console_->count(event);
    f.escapedExceptions = escapedExceptions_;
    f.serverFailure = server_->failure();

    const QJsonObject status = QJsonDocument::fromJson(contents(runner_->statusPath())).object();
    const QJsonObject pictures = status.value(QStringLiteral("pictures")).toObject();
    if (status.isEmpty())
        f.statusProblem = QStringLiteral("status.json does not read");
    else if (pictures.value(QStringLiteral("stored")).toInteger() != f.stored ||
             !status.value(QStringLiteral("camera")).isObject() ||
             !status.value(QStringLiteral("queue")).isObject())
        f.statusProblem = QStringLiteral("status.json says otherwise: ") +
                          QString::fromUtf8(QJsonDocument(status).toJson(QJsonDocument::Compact));
}

bool runStationSoak(const StationSoakOptions& options, StationSoakFigures& figures,
                    QString* failure) {
    QElapsedTimer wall;
    wall.start();
    figures.seed = options.seed;
    figures.warmupRounds = std::min(options.warmupRounds, options.rounds);
    StationSoak station(options);
    if (!station.setUp(failure))
        return false;
    StationFaultPlan plan(options.seed);
    const int afterWarmup = options.rounds - figures.warmupRounds;
    const int sampleEvery = std::max(1, afterWarmup / std::max(1, options.memorySamples));
    int nextSample = figures.warmupRounds;
    while (station.round() < options.rounds) {
        station.runRound(plan.faultsFor(station.round() + 1));
        // Memory is compared in the same state each time: the queue empty and the server
        // there, so that a backlog the outages built up is not counted as growth.
        if (station.round() < nextSample || !station.quiet())
            continue;
        const qint64 rss = test::residentKiB();
        if (figures.rssSamples.empty()) {
            figures.rssAfterWarmupKiB = rss;
            figures.heapAfterWarmupKiB = test::heapInUseKiB();
        }
        figures.rssSamples.emplace_back(station.round(), rss);
        nextSample = station.round() + sampleEvery;
        if (options.progress)
            options.progress(QStringLiteral("%1 rounds, %2 s, VmRSS %3 KiB, heap in use %4 KiB")
                                 .arg(station.round())
                                 .arg(wall.elapsed() / 1000)
                                 .arg(rss)
                                 .arg(test::heapInUseKiB()));
    }
    // The last sample, in the same state as the first.
    figures.rssEndKiB =
        figures.rssSamples.empty() ? test::residentKiB() : figures.rssSamples.back().second;
    figures.heapEndKiB = test::heapInUseKiB();
    figures.rssPeakKiB = test::peakResidentKiB();
    station.finish();
    station.fill(figures);
    figures.wallSeconds = double(wall.elapsed()) / 1000;
    return true;
}

QString stationSoakReport(const StationSoakFigures& f) {
    const PictureCount& p = f.pictures;
    const auto event = [&f](const char* name) {
        const auto found = f.events.find(QString::fromLatin1(name));
        return found == f.events.end() ? 0 : found->second;
    };
    QStringList out;
    out << QStringLiteral("Snapdeck station soak: seed %1, %2 rounds, a shot a second, 640x480")
               .arg(f.seed)
               .arg(f.rounds);
    out << QStringLiteral("  %1 s on the station's clock, %2 s wall")
               .arg(f.stationSeconds)
               .arg(f.wallSeconds, 0, 'f', 1);
    out << QStringLiteral("pictures");
    out << QStringLiteral("  taken by the camera         %1").arg(p.taken);
    out << QStringLiteral("  stored (the station's count) %1, last %n %2")
               .arg(f.stored)
               .arg(f.counter);
    out << QStringLiteral("  on disk                     %1 (%2 files)")
               .arg(p.onDisk)
               .arg(p.diskFiles);
    out << QStringLiteral("  still on the card           %1 (noted for copying %2)")
               .arg(p.onCard)
               .arg(f.onCardNoted);
    out << QStringLiteral("  on disk and on the card     %1").arg(p.onDiskAndCard);
    out << QStringLiteral("  LOST                        %1").arg(p.lost);
    out << QStringLiteral("  damaged %1, strays %2, twice on disk %3, half-written files %4")
               .arg(p.damaged)
               .arg(p.strays)
               .arg(p.duplicatesOnDisk)
               .arg(p.temporaryFiles);
    out << QStringLiteral("  names given %1, given twice %2, with -N added %3")
               .arg(f.namesGiven)
               .arg(f.namesReused)
               .arg(f.namesSuffixed);
    out << QStringLiteral("the server, back, after the queue drained (%1 s real)")
               .arg(f.drainSeconds, 0, 'f', 1);
    out << QStringLiteral("  pictures there %1, identical to the disk's %2, HALF or different %3")
               .arg(f.onServer)
               .arg(f.serverIdentical)
               .arg(f.serverHalf);
    out << QStringLiteral("  on disk but not there %1, left in the queue %2, part files %3, "
                          "latest.jpg whole %4")
               .arg(f.missingOnServer)
               .arg(f.queueLeft)
               .arg(f.partFiles)
               .arg(f.latestWhole ? QStringLiteral("yes") : QStringLiteral("NO"));
    out << QStringLiteral("faults");
    QStringList aways, crashes;
    for (const CaptureMoment moment :
         {CaptureMoment::BetweenRounds, CaptureMoment::AfterTakePicture,
          CaptureMoment::AfterDownload}) {
        aways << QStringLiteral("%1 %2")
                     .arg(QLatin1String(momentName(moment)))
                     .arg(countOf(f.cameraAway, moment));
    }
    for (const CaptureMoment moment :
         {CaptureMoment::BetweenRounds, CaptureMoment::AfterTakePicture,
          CaptureMoment::AfterDownload, CaptureMoment::AfterStored})
        crashes << QStringLiteral("%1 %2")
                       .arg(QLatin1String(momentName(moment)))
                       .arg(countOf(f.crashes, moment));
    out << QStringLiteral("  camera unplugged: ") + aways.join(QStringLiteral(", "));
    out << QStringLiteral("  download errors %1; disk below the minimum %2 stretches; writes "
                          "failing %3 bursts (%4 writes refused)")
               .arg(f.downloadFailures)
               .arg(f.diskLowStretches)
               .arg(f.writeFailBursts)
               .arg(f.writesRefused);
    QStringList outages;
    for (const ServerOutage outage :
         {ServerOutage::Stopped, ServerOutage::Killed, ServerOutage::KilledMidUpload,
          ServerOutage::SilentAtConnect, ServerOutage::SilentAtStore})
        outages << QStringLiteral("%1 %2")
                       .arg(QLatin1String(outageName(outage)))
                       .arg(countOf(f.outages, outage));
    out << QStringLiteral("  FTP server: ") + outages.join(QStringLiteral(", ")) +
               QStringLiteral(" (%1 kills struck at a STOR)").arg(f.killedAtStor);
    out << QStringLiteral("  kill -9 and restart: ") + crashes.join(QStringLiteral(", "));
    out << QStringLiteral("the station's log");
    out << QStringLiteral("  starts %1, shots due %2, stored %3, missed %4, copied from the card "
                          "%5, camera lost %6, found %7, not found %8, disk low %9")
               .arg(event("station started"))
               .arg(event("shot due"))
               .arg(event("stored"))
               .arg(event("shot missed"))
               .arg(event("copied"))
               .arg(event("camera lost"))
               .arg(event("camera found"))
               .arg(event("camera not found"))
               .arg(event("disk low"));
    out << QStringLiteral("  messages %1, leftovers removed %2, state not saved %3, status not "
                          "written %4, exceptions out of the station %5")
               .arg(event("message:"))
               .arg(event("removed"))
               .arg(event("state not saved"))
               .arg(event("status not written"))
               .arg(f.escapedExceptions);
    if (!f.statusProblem.isEmpty())
        out << QStringLiteral("  ") + f.statusProblem;
    out << QStringLiteral("memory (VmRSS, sampled with the queue empty and the server there)");
    out << QStringLiteral("  after warm-up (%1 rounds) %2 KiB, at the end %3 KiB, growth %4 KiB; "
                          "peak %5 KiB (with a backlog)")
               .arg(f.warmupRounds)
               .arg(f.rssAfterWarmupKiB)
               .arg(f.rssEndKiB)
               .arg(f.rssEndKiB - f.rssAfterWarmupKiB)
               .arg(f.rssPeakKiB);
    reportMemorySamples(out, f, QStringLiteral("round"));
    if (!f.serverFailure.isEmpty())
        out << QStringLiteral("  FTP server trouble: ") + f.serverFailure;
    return out.join(u'\n') + u'\n';
}

QStringList stationSoakProblems(const StationSoakFigures& f, qint64 memoryToleranceKiB) {
    const PictureCount& p = f.pictures;
    QStringList problems;
    const auto check = [&](bool wrong, const QString& what) {
        if (wrong)
            problems << what;
    };
    checkPictures(problems, p);
    check(p.duplicatesOnDisk != 0,
          QStringLiteral("%1 pictures stored twice").arg(p.duplicatesOnDisk));
    check(f.namesReused != 0, QStringLiteral("%1 names given twice").arg(f.namesReused));
    check(f.namesGiven < f.rounds / 10,
          QStringLiteral("only %1 names seen in the log").arg(f.namesGiven));
    check(f.stored != p.diskFiles, QStringLiteral("the station counts %1 stored, the disk holds %2")
                                       .arg(f.stored)
                                       .arg(p.diskFiles));
    check(f.serverHalf != 0,
          QStringLiteral("%1 pictures on the server are half or different").arg(f.serverHalf));
    check(f.missingOnServer != 0 || f.queueLeft != 0,
          QStringLiteral("%1 pictures never reached the server (%2 left in the queue)")
              .arg(f.missingOnServer)
              .arg(f.queueLeft));
    check(!f.latestWhole, QStringLiteral("latest.jpg is not a whole picture"));
    check(f.escapedExceptions != 0,
          QStringLiteral("%1 exceptions escaped the station").arg(f.escapedExceptions));
    check(!f.statusProblem.isEmpty(), f.statusProblem);
    check(!f.serverFailure.isEmpty(), QStringLiteral("FTP server: ") + f.serverFailure);
    checkMemory(problems, f, memoryToleranceKiB);
    return problems;
}

} // namespace snapdeck::soak
