#pragma once

#include "FaultPlan.h"
#include "FtpServerSide.h"
#include "PictureLedger.h"
#include "StationOperator.h"
#include "TickTimes.h"
#include "UploadLedger.h"
#include "UploadWatch.h"
#include "WriteLimit.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace snapdeck {
class Engine;
class SimulatedCamera;
} // namespace snapdeck

namespace snapdeck::test {
class ScriptedCamera;
} // namespace snapdeck::test

namespace snapdeck::soak {

struct SoakFigures;

// An unattended time-lapse station: the engine, on the soak's thread as a headless
// station drives it, with the simulated camera whose card is a folder, saving every
// picture under its date and time and deleting it from the card, uploading each to a
// real FTP server on 127.0.0.1, with interval shooting on at one picture a second. The
// station's clock moves one second a round; the soak runs the timers' work itself, as
// the engine's timers would.
class SoakStation {
public:
    // "shots": how many the run will take, so that the soak's own records are made
    // big enough at the start and do not grow while memory is measured.
    // "backgroundQueue": "Отправлять в фоне", the durable queue's worker sends the
    // pictures on its own thread in real time.
    explicit SoakStation(int shots, bool backgroundQueue = false);
    ~SoakStation();

    // False, with the reason, when the station could not be set up.
    bool setUp(QString* failure);

    // One second of the station: the faults due strike, the clock moves, the battery
    // poll and the interval tick run.
    void runRound(const std::vector<Fault>& faults);

    int round() const { return round_; }
    // Pictures the interval run has stored on disk.
    int shots() const;
    bool shooting() const;
    QString scheduleText() const;

    // With the queue: every outage ends, and the queue drains in real time, for at most
    // "drainSeconds"; "alive" is called every pass of the wait.
    void finish(int drainSeconds, const std::function<void()>& alive);

    // Everything counted so far, the pictures and uploads checked where they lie.
    void fill(SoakFigures& figures) const;

private:
    void apply(const Fault& fault);
    void afterCameraCall(const QString& operation);
    void unplugWhenDue(UnplugMoment moment);
    template <typename Handler> void timed(const char* name, Handler&& handler);
    void endRound();

    QTemporaryDir dir_;
    QString workPath_;
    QString cardPath_;
    std::unique_ptr<SimulatedCamera> camera_;
    std::unique_ptr<test::ScriptedCamera> cable_; // faults and the moments they strike
    ManualClock clock_;
    std::unique_ptr<StationOperator> operator_;
    std::optional<WorkFolder> folder_;
    std::unique_ptr<FtpServerSide> server_;
    WriteLimit writeLimit_;
    std::unique_ptr<PictureLedger> pictures_;
    std::unique_ptr<UploadLedger> uploads_;
    UploadWatch watch_;
    std::unique_ptr<Engine> engine_; // after everything it uses, so that it goes first
    TickTimes ticks_;
    int plannedShots_ = 0;

    bool backgroundQueue_ = false;
    int round_ = 0;
    std::deque<Unplug> armedUnplugs_; // waiting for their moment in a capture
    int diskFullRoundsLeft_ = 0;
    int diskFullWrites_ = 0;
    std::map<UnplugMoment, int> unplugs_;
    int downloadSilences_ = 0;
    int downloadErrors_ = 0;
    int diskFullBursts_ = 0;
    int escapedExceptions_ = 0;
    int boxesBeforeUpload_ = 0;
    int longestQueue_ = 0;
    bool backlogWaiting_ = false;
    int backlogsDrained_ = 0;
    int roundsServerDown_ = 0;
    int longOutages_ = 0;
    int longestOutageRounds_ = 0;
    double drainSeconds_ = 0;
};

} // namespace snapdeck::soak
