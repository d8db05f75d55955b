#pragma once

#include "FaultPlan.h"
#include "FtpServerSide.h"
#include "PictureLedger.h"
#include "StationCamera.h"
#include "StationOperator.h"
#include "TickTimes.h"
#include "UploadLedger.h"
#include "WriteLimit.h"
#include "app/Globals.h"
#include "app/Services.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"

#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>

namespace snapdeck {
class MainWindow;
class SimulatedCamera;
} // namespace snapdeck

namespace snapdeck::soak {

class SendingWatch;
struct SoakFigures;

// An unattended time-lapse station: the real main window (offscreen) on the simulated
// camera, whose card is a folder, saving every picture under its date and time and
// deleting it from the card, uploading each to a real FTP server on 127.0.0.1, with the
// interval shooting on at one picture a second. The station's clock moves one second
// a round; the timers' handlers run as their timers would run them.
class SoakStation {
public:
    // "shots": how many the run will take, so that the soak's own records are made
    // big enough at the start and do not grow while memory is measured.
    explicit SoakStation(int shots);
    ~SoakStation();

    // False, with the reason, when the station could not be set up.
    bool setUp(QString* failure);

    // One second of the station: the faults due strike, the clock moves, the battery
    // tick and the interval tick run.
    void runRound(const std::vector<Fault>& faults);

    int round() const { return round_; }
    int shots() const;
    bool shooting() const;
    QString scheduleText() const;

    // Everything counted so far, the pictures and uploads checked where they lie.
    void fill(SoakFigures& figures) const;

private:
    void apply(const Fault& fault);
    void afterCameraCall(const char* operation);
    void unplugWhenDue(UnplugMoment moment);
    void upload(const QString& fileName);
    template <typename Handler> void timed(const char* name, Handler&& handler);
    void endRound();

    QTemporaryDir dir_;
    QString workPath_;
    QString cardPath_;
    std::unique_ptr<SimulatedCamera> camera_;
    std::unique_ptr<StationCamera> cable_;
    ManualClock clock_;
    std::unique_ptr<StationOperator> operator_;
    std::optional<WorkFolder> folder_;
    Globals globals_;
    std::optional<Services> services_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<FtpServerSide> server_;
    std::unique_ptr<SendingWatch> sendingWatch_;
    WriteLimit writeLimit_;
    std::unique_ptr<PictureLedger> pictures_;
    std::unique_ptr<UploadLedger> uploads_;
    TickTimes ticks_;
    int plannedShots_ = 0;

    int round_ = 0;
    std::deque<Unplug> armedUnplugs_; // waiting for their moment in a capture
    int diskFullRoundsLeft_ = 0;
    int diskFullWrites_ = 0;
    std::map<UnplugMoment, int> unplugs_;
    int downloadSilences_ = 0;
    int downloadErrors_ = 0;
    int diskFullBursts_ = 0;
    int escapedExceptions_ = 0;
};

} // namespace snapdeck::soak
