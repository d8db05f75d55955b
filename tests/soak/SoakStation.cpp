#include "SoakStation.h"

#include "SendingWatch.h"
#include "SoakFigures.h"
#include "app/ConnectionMonitor.h"
#include "app/MainWindow.h"
#include "camera/SimulatedCamera.h"
#include "capture/Capture.h"
#include "capture/CaptureOptionsFrame.h"
#include "ftp/FtpFrame.h"
#include "ftp/FtpService.h"
#include "ftp/FtpUpload.h"
#include "schedule/IntervalShooting.h"
#include "schedule/ScheduleFrame.h"
#include "settings/CameraSettingsFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace snapdeck::soak {

namespace {

const QString kUser = QStringLiteral("station");
const QString kPassword = QStringLiteral("soak");
const QString kServerFolder = QStringLiteral("webcam");
constexpr int kSmallestImageSize = 0; // 640x480

QDateTime stationStart() {
    return QDateTime(QDate(2026, 6, 1), QTime(6, 0, 0));
}

// The card holds far more than a run leaves on it, so that a full card is not one of
// the faults.
const QByteArray kCameraIni = "capacity=100000\nbattery=100\n";

} // namespace

SoakStation::SoakStation(int shots) : clock_(stationStart()), plannedShots_(shots) {
    ticks_.reserve(shots);
}

SoakStation::~SoakStation() {
    writeLimit_.release();
    sendingWatch_.reset();
    if (window_)
        window_->Form_Unload();
    window_.reset();
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
    cable_ = std::make_unique<StationCamera>(*camera_);
    cable_->afterCall = [this](const char* operation) { afterCameraCall(operation); };
    operator_ = std::make_unique<StationOperator>(*camera_, clock_);
    pictures_ = std::make_unique<PictureLedger>(cardPath_, plannedShots_);
    uploads_ =
        std::make_unique<UploadLedger>(workPath_, QDir(server_->root()).filePath(kServerFolder));
    folder_.emplace(workPath_);
    services_.emplace(Services{*cable_, *operator_, clock_, *folder_,
                               QLocale(QLocale::Russian, QLocale::Russia)});
    window_ = std::make_unique<MainWindow>(*services_, globals_);
    window_->Form_Load();
    window_->show();

    // Small pictures, named by date, not kept on the card, each one uploaded.
    QComboBox& sizes = *window_->settingsFrame->combReso;
    sizes.setCurrentIndex(sizes.findData(kSmallestImageSize));
    window_->captureFrame->chkFileName->setChecked(false);
    window_->captureFrame->chkStFlash->setChecked(false);
    globals_.ftp = FtpSettings{QStringLiteral("127.0.0.1"),
                               server_->port(),
                               kUser,
                               kPassword,
                               FtpOnlyService,
                               kServerFolder,
                               QString()};
    TransportOptions& timeouts = window_->ftpUpload().transportOptions();
    timeouts.connectTimeout = std::chrono::milliseconds(500);
    timeouts.responseTimeout = std::chrono::seconds(1);
    timeouts.stallTimeout = std::chrono::seconds(1);
    window_->ftpFrame->chkFTP->setChecked(true);
    window_->capture().setUploader([this](const QString& name) { upload(name); });
    sendingWatch_ = std::make_unique<SendingWatch>(*window_->ftpFrame->lblFTP,
                                                   [this] { server_->pictureAboutToBeSent(); });

    ScheduleFrame& schedule = *window_->scheduleFrame;
    schedule.txtInterval->setText(QStringLiteral("1"));
    schedule.chkTiming->setChecked(true);
    // The soak runs the timers' handlers itself, a second of the station's clock apart.
    window_->intervalShooting().tTime.stop();
    window_->connectionMonitor().tBat.stop();

    if (camera_->ImageSize(globals_.CameraNumber) != kSmallestImageSize || !shooting()) {
        *failure = QStringLiteral("the window did not take the station's settings");
        return false;
    }
    return true;
}

int SoakStation::shots() const {
    return window_->intervalShooting().grabCount();
}

bool SoakStation::shooting() const {
    return window_->scheduleFrame->chkTiming->isChecked();
}

QString SoakStation::scheduleText() const {
    return window_->scheduleFrame->lblNextTxt->text();
}

void SoakStation::runRound(const std::vector<Fault>& faults) {
    ++round_;
    for (const Fault& fault : faults)
        apply(fault);
    clock_.advance(1);
    timed("tBat_Timer", [&] { window_->connectionMonitor().tBat_Timer(); });
    timed("tTime_Timer", [&] { window_->intervalShooting().tTime_Timer(); });
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    endRound();
}

// A handler runs on the window thread as its timer would run it; nothing may escape it.
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
    writeLimit_.release();
    if (diskFullRoundsLeft_ > 0)
        --diskFullRoundsLeft_;
    server_->endOfRound();
    camera_->setBatteryLevel(100); // the station runs on mains power
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
        camera_->script().failNext(QStringLiteral("DownloadPicture"), kCameraNotAnswering,
                                   silence->failures);
        operator_->expectDownloadSilence(*silence);
    } else if (std::holds_alternative<DownloadError>(fault)) {
        ++downloadErrors_;
        camera_->script().failNext(QStringLiteral("DownloadPicture"),
                                   StationOperator::kDownloadErrorNumber, 1,
                                   QStringLiteral("Ошибка чтения снимка с карты памяти"));
    } else if (const auto* full = std::get_if<DiskFull>(&fault)) {
        ++diskFullBursts_;
        diskFullRoundsLeft_ = std::max(diskFullRoundsLeft_, full->rounds);
    } else if (const auto* outage = std::get_if<ServerFault>(&fault)) {
        server_->begin(*outage);
    }
}

void SoakStation::afterCameraCall(const char* operation) {
    const QLatin1String name(operation);
    if (name == QLatin1String("TakePicture")) {
        pictures_->noteTaken();
        unplugWhenDue(UnplugMoment::AfterTakePicture);
    } else if (name == QLatin1String("DownloadPicture")) {
        // The picture is in the window's hands; the disk it goes to is full.
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

void SoakStation::upload(const QString& fileName) {
    const int boxesBefore = operator_->boxesShown();
    window_->ftpUpload().UploadPictureByFtp(fileName);
    uploads_->note(fileName, operator_->boxesShown() > boxesBefore);
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
}

} // namespace snapdeck::soak
