#include "SoakStation.h"

#include "SoakFigures.h"
#include "camera/CameraSettings.h"
#include "camera/simulator/SimulatedCamera.h"
#include "engine/Engine.h"
#include "engine/upload/FtpService.h"
#include "support/ScriptedCamera.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace snapdeck::soak {

namespace {

const QString kUser = QStringLiteral("station");
const QString kPassword = QStringLiteral("soak");
const QString kServerFolder = QStringLiteral("webcam");
constexpr ImageSize kSmallestImageSize = ImageSize::Sq2_640x480;
// Real time a round gives the queue's worker to catch up while the server serves.
constexpr qint64 kCatchUpMs = 100;
// Rounds a kill mid-upload waits for the worker's STOR before it strikes anyway.
constexpr int kStorPatienceRounds = 60;
// A queue this long is a backlog, whose draining while shooting goes on is counted.
constexpr int kBacklog = 30;

QDateTime stationStart() {
    return QDateTime(QDate(2026, 6, 1), QTime(6, 0, 0));
}

// The card holds far more than a run leaves on it, so that a full card is not one of
// the faults.
const QByteArray kCameraIni = "capacity=100000\nbattery=100\n";

// The image size list's position of an image size; -1 when it has none.
int imageSizePosition(ImageSize size) {
    const auto sizes = settingTables::imageSizes();
    for (size_t position = 0; position < sizes.size(); ++position)
        if (sizes[position].value == size)
            return int(position);
    return -1;
}

} // namespace

SoakStation::SoakStation(int shots, bool backgroundQueue)
    : clock_(stationStart()), plannedShots_(shots), backgroundQueue_(backgroundQueue) {
    ticks_.reserve(shots);
}

SoakStation::~SoakStation() {
    writeLimit_.release();
    if (engine_)
        engine_->unload();
    engine_.reset();
}

bool SoakStation::setUp(QString* failure) {
    if (!dir_.isValid()) {
        *failure = QStringLiteral("no temporary folder");
        return false;
    }
    const QDir dir(dir_.path());
    workPath_ = dir.filePath(QStringLiteral("work"));
    cardPath_ = dir.filePath(QStringLiteral("card"));
    QDir().mkpath(workPath_);
    QDir().mkpath(cardPath_);
    QFile ini(QDir(cardPath_).filePath(QStringLiteral("camera.ini")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write(kCameraIni) != kCameraIni.size()) {
        *failure = QStringLiteral("cannot write camera.ini");
        return false;
    }
    ini.close();

    server_ =
        std::make_unique<FtpServerSide>(dir.filePath(QStringLiteral("server")), kUser, kPassword);
    if (!server_->start()) {
        *failure = server_->failure();
        return false;
    }
    QDir(server_->root()).mkpath(kServerFolder);

    camera_ = SimulatedCamera::withCardFolder(cardPath_);
    cable_ = std::make_unique<test::ScriptedCamera>(*camera_);
    cable_->afterCall = [this](const QString& operation) { afterCameraCall(operation); };
    operator_ = std::make_unique<StationOperator>(*camera_, clock_);
    pictures_ = std::make_unique<PictureLedger>(cardPath_, plannedShots_);
    uploads_ =
        std::make_unique<UploadLedger>(workPath_, QDir(server_->root()).filePath(kServerFolder));
    folder_.emplace(workPath_);
    // Each upload is checked on the server the moment it ends: one that showed no box
    // must have put the picture there whole.
    watch_.started = [this] { boxesBeforeUpload_ = operator_->boxesShown(); };
    watch_.aboutToSend = [this] { server_->pictureAboutToBeSent(); };
    watch_.ended = [this](const QString& fileName) {
        uploads_->note(fileName, operator_->boxesShown() > boxesBeforeUpload_);
    };

    engine_ = std::make_unique<Engine>(EngineServices{*cable_, *operator_, clock_, *folder_,
                                                      QLocale(QLocale::Russian, QLocale::Russia)});
    engine_->setObserver(watch_);
    engine_->load();

    // Small pictures, named by date, not kept on the card, each one uploaded.
    engine_->chooseSetting(SettingList::ImageSize, imageSizePosition(kSmallestImageSize));
    engine_->setBufferMode(true);
    engine_->setKeepOnCard(false);
    engine_->setOverwrite(false);
    engine_->setFtpSettings(FtpSettings{QStringLiteral("127.0.0.1"), server_->port(), kUser,
                                        kPassword, FtpOnlyService, kServerFolder, QString()});
    TransportOptions& timeouts = engine_->upload().transportOptions();
    timeouts.connectTimeout = std::chrono::milliseconds(500);
    timeouts.responseTimeout = std::chrono::seconds(1);
    timeouts.stallTimeout = std::chrono::seconds(1);
    if (backgroundQueue_) {
        engine_->backgroundUpload().worker().setOptions(timeouts);
        // The worker's waits on the scale of the soak's rounds, tens of milliseconds
        // for a second of the station's clock: 1 s to 5 min become 10 ms to 3 s.
        engine_->backgroundUpload().worker().setBackoff(
            Backoff(std::chrono::milliseconds(10), std::chrono::seconds(3)));
        engine_->setBackgroundUpload(true);
        // The worker's uploads show nothing to hook: a kill mid-upload waits for a STOR.
        server_->killMidUploadAtStor();
        server_->giveUpWaitingForStorAfter(kStorPatienceRounds);
    }
    engine_->setUploadEnabled(true);

    // The schedule as start-up fills it (start now), one picture a second.
    ScheduleForm schedule = scheduleStartValues(clock_.now());
    schedule.interval = QStringLiteral("1");
    engine_->setSchedule(schedule);
    engine_->setIntervalShooting(true);

    if (camera_->imageSize() != kSmallestImageSize || !shooting()) {
        *failure = QStringLiteral("the engine did not take the station's settings");
        return false;
    }
    return true;
}

int SoakStation::shots() const {
    return engine_->intervalCount();
}

bool SoakStation::shooting() const {
    return engine_->state().interval.on;
}

QString SoakStation::scheduleText() const {
    return engine_->state().interval.line;
}

// The engine's timers never fire here: the soak does not return to an event loop, and
// runs their work itself, a second of the station's clock apart.
void SoakStation::runRound(const std::vector<Fault>& faults) {
    ++round_;
    for (const Fault& fault : faults)
        apply(fault);
    clock_.advance(1);
    timed("pollBattery", [&] { engine_->pollBattery(); });
    timed("intervalTick", [&] { engine_->intervalTick(); });
    endRound();
}

// A command runs on the station's thread as its timer would run it; nothing may escape.
template <typename Handler> void SoakStation::timed(const char* name, Handler&& handler) {
    const bool quietServer = !server_->outageActive();
    QElapsedTimer watch;
    watch.start();
    try {
        handler();
    } catch (...) {
        ++escapedExceptions_;
    }
    ticks_.note(static_cast<double>(watch.nsecsElapsed()) / 1e6, round_, QString::fromLatin1(name),
                quietServer && !server_->outageActive());
}

void SoakStation::endRound() {
    if (backgroundQueue_) {
        // The worker's reports reach the engine through this thread's event queue; its
        // timers must not fire, so only the posted calls are delivered.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        const UploadQueue& queue = engine_->backgroundUpload().uploadQueue();
        longestQueue_ = std::max(longestQueue_, queue.length());
        if (queue.length() >= kBacklog)
            backlogWaiting_ = true;
        else if (queue.length() == 0 && backlogWaiting_) {
            backlogWaiting_ = false;
            ++backlogsDrained_;
        }
        // The worker runs in real time and the station's second in a few milliseconds:
        // while the server serves (a kill mid-upload waiting for its upload included),
        // the worker gets a moment to keep up, or the station's clock would outrun its
        // backoff and the backlog would never drain between outages.
        if (!server_->down()) {
            QElapsedTimer waited;
            waited.start();
            while (queue.length() > 0 && waited.elapsed() < kCatchUpMs)
                QThread::msleep(2);
        }
    }
    if (server_->down())
        ++roundsServerDown_;
    writeLimit_.release();
    if (diskFullRoundsLeft_ > 0)
        --diskFullRoundsLeft_;
    server_->endOfRound();
    camera_->setBatteryLevel(100); // the station runs on mains power
    cable_->script().clearLog();   // nobody reads it; it must not grow while memory is measured
}

void SoakStation::apply(const Fault& fault) {
    if (const auto* unplug = std::get_if<Unplug>(&fault)) {
        if (unplug->moment == UnplugMoment::BetweenShots) {
            ++unplugs_[unplug->moment];
            operator_->unplug(*unplug);
        } else {
            armedUnplugs_.push_back(*unplug);
        }
    } else if (const auto* silence = std::get_if<DownloadSilence>(&fault)) {
        ++downloadSilences_;
        cable_->script().failNext(QStringLiteral("downloadPicture"), kCameraNotAnswering,
                                  silence->failures);
        operator_->expectDownloadSilence(*silence);
    } else if (std::holds_alternative<DownloadError>(fault)) {
        ++downloadErrors_;
        cable_->script().failNext(QStringLiteral("downloadPicture"),
                                  StationOperator::kDownloadErrorNumber, 1,
                                  QStringLiteral("Ошибка чтения снимка с карты памяти"));
    } else if (const auto* full = std::get_if<DiskFull>(&fault)) {
        ++diskFullBursts_;
        diskFullRoundsLeft_ = std::max(diskFullRoundsLeft_, full->rounds);
    } else if (const auto* outage = std::get_if<ServerFault>(&fault)) {
        if (outage->rounds >= FaultPlan::kLongOutageShortest) {
            ++longOutages_;
            longestOutageRounds_ = std::max(longestOutageRounds_, outage->rounds);
        }
        server_->begin(*outage);
    }
}

void SoakStation::afterCameraCall(const QString& operation) {
    if (operation == QStringLiteral("takePicture")) {
        pictures_->noteTaken();
        unplugWhenDue(UnplugMoment::AfterTakePicture);
    } else if (operation == QStringLiteral("downloadPicture")) {
        // The picture is in the engine's hands; the disk it goes to is full.
        if (diskFullRoundsLeft_ > 0 && writeLimit_.engage())
            ++diskFullWrites_;
        unplugWhenDue(UnplugMoment::AfterDownload);
    }
}

void SoakStation::unplugWhenDue(UnplugMoment moment) {
    for (auto armed = armedUnplugs_.begin(); armed != armedUnplugs_.end(); ++armed) {
        if (armed->moment != moment)
            continue;
        ++unplugs_[moment];
        operator_->unplug(*armed);
        armedUnplugs_.erase(armed);
        return;
    }
}

void SoakStation::finish(int drainSeconds, const std::function<void()>& alive) {
    if (!backgroundQueue_)
        return;
    server_->endAllOutages();
    const UploadQueue& queue = engine_->backgroundUpload().uploadQueue();
    QElapsedTimer waited;
    waited.start();
    while (queue.length() > 0 && waited.elapsed() < qint64(drainSeconds) * 1000) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        alive();
        QThread::msleep(20);
    }
    drainSeconds_ = double(waited.elapsed()) / 1000;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

void SoakStation::fill(SoakFigures& figures) const {
    figures.shots = shots();
    figures.rounds = round_;
    figures.stationSeconds = stationStart().secsTo(clock_.now());
    figures.pictures = pictures_->count(workPath_);
    figures.uploads = uploads_->count();
    figures.unplugs = unplugs_;
    figures.downloadSilences = downloadSilences_;
    figures.downloadErrors = downloadErrors_;
    figures.diskFullBursts = diskFullBursts_;
    figures.diskFullWrites = diskFullWrites_;
    figures.outages = server_->outagesBegun;
    for (const BoxKind kind :
         {BoxKind::CameraNotConnected, BoxKind::DiskFull, BoxKind::DownloadFailed,
          BoxKind::FtpServerSilent, BoxKind::FtpFileNotSent, BoxKind::DiskSpaceWarning,
          BoxKind::Unexpected})
        figures.boxes[kind] = operator_->boxes(kind);
    figures.userStops = operator_->stopsChosen();
    figures.unexpectedBoxes = operator_->unexpected();
    figures.longestTickMs = ticks_.longest();
    figures.longestTickRound = ticks_.longestRound();
    figures.longestTickHandler = ticks_.longestHandler();
    figures.longestTickQuietServerMs = ticks_.longestWithQuietServer();
    figures.longestTickQuietServerRound = ticks_.longestWithQuietServerRound();
    figures.shotTickMedianMs = ticks_.percentile(0.5);
    figures.shotTickP99Ms = ticks_.percentile(0.99);
    figures.quietShotTickMedianMs = ticks_.percentile(0.5, true);
    figures.quietShotTickP99Ms = ticks_.percentile(0.99, true);
    figures.escapedExceptions = escapedExceptions_;
    figures.serverFailure = server_->failure();
    figures.roundsServerDown = roundsServerDown_;
    figures.longOutages = longOutages_;
    figures.longestOutageRounds = longestOutageRounds_;
    figures.backgroundQueue = backgroundQueue_;
    if (backgroundQueue_) {
        figures.server = serverHoldings(workPath_, QDir(server_->root()).filePath(kServerFolder));
        figures.queueLeft = engine_->backgroundUpload().uploadQueue().length();
        figures.longestQueue = longestQueue_;
        figures.backlogsDrained = backlogsDrained_;
        figures.drainSeconds = drainSeconds_;
        figures.killedAtStor = server_->killedAtStor;
        figures.killedWaitingForStor = server_->killedWaitingForStor;
    }
}

} // namespace snapdeck::soak
