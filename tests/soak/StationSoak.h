#pragma once

#include "FtpServerSide.h"
#include "PictureLedger.h"
#include "SoakFigures.h"
#include "StationFaultPlan.h"
#include "StationLogWatch.h"
#include "WriteLimit.h"
#include "common/Clock.h"
#include "engine/queue/Backoff.h"
#include "station/ServiceNotifier.h"
#include "station/StationConfig.h"

#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace snapdeck {
class Engine;
class SimulatedCamera;
class StationLog;
class StationMessages;
class StationRunner;
} // namespace snapdeck

namespace snapdeck::test {
class ScriptedCamera;
} // namespace snapdeck::test

namespace snapdeck::soak {

class UploadThread;

struct StationSoakOptions {
    int rounds = 10000;
    std::uint64_t seed = 1;
    // Memory is measured from the end of the warm-up, when the caches of the image
    // plugins, the network library and the fonts are full.
    int warmupRounds = 500;
    int memorySamples = 20;
    // Real seconds the queue may take to drain at the end, the server back.
    int drainSeconds = 330;
    std::function<void(const QString&)> progress;
};

// Everything a station soak found out.
struct StationSoakFigures : MemoryFigures {
    std::uint64_t seed = 0;
    int rounds = 0;
    qint64 stationSeconds = 0;
    double wallSeconds = 0;

    PictureCount pictures;
    qint64 stored = 0;  // the station's own count, across restarts
    qint64 counter = 0; // the last %n given
    int onCardNoted = 0;
    int namesGiven = 0;
    int namesReused = 0;
    int namesSuffixed = 0;

    // The server, once it is back and the queue has drained.
    int onServer = 0;         // pictures there (the fixed name and part files aside)
    int serverIdentical = 0;  // of those, byte for byte the disk's picture
    int serverHalf = 0;       // a visible name holding anything else
    int missingOnServer = 0;  // pictures on disk the server does not hold
    int partFiles = 0;        // hidden ".NAME.part" files a cut upload left
    bool latestWhole = false; // the fixed name holds a whole picture
    int queueLeft = 0;
    double drainSeconds = 0;

    std::map<CaptureMoment, int> cameraAway;
    std::map<CaptureMoment, int> crashes;
    int downloadFailures = 0;
    int diskLowStretches = 0;
    int writeFailBursts = 0;
    int writesRefused = 0;
    std::map<ServerOutage, int> outages;
    int killedAtStor = 0;

    // The station's log, counted.
    std::map<QString, int> events;
    int escapedExceptions = 0;
    QString statusProblem; // status.json not whole or not as described

    int warmupRounds = 0; // before the memory is first measured

    QString serverFailure;
};

// The station's own rounds (StationRunner over the engine, as `snapdeck --station` runs
// them) with the simulated camera whose card is a folder, uploading through the durable
// queue to the real FTP test server, on a clock the soak moves one second a round.
// The queue's worker is parked; after each round a thread of the soak's, standing in for
// the worker's (so that its memory lives apart from the station's, as in the program),
// sends as many pictures as go through (up to five), and after a failure waits the
// worker's backoff (1 s doubling to 5 min) on the moved clock: the worker's own thread
// would wait in real time while the station's clock runs some thirty times faster.
// A "kill -9" is made in the process: at its moment (between rounds, or inside a capture
// right after a camera call, by an exception nothing in the engine catches) the runner,
// the engine and the log are dropped without the orderly stop, and after the rounds it
// is down they are built again over the same folders, as a restart after a crash. Unlike
// a real kill the destructors run (the worker's upload is cut off, an unfinished write's
// temporary file removed); what the station saved is exactly what it had saved. The
// camera and the server are other devices and live on.
class StationSoak {
public:
    explicit StationSoak(const StationSoakOptions& options);
    ~StationSoak();

    bool setUp(QString* failure);
    void runRound(const std::vector<StationFault>& faults);
    // The end: the camera and the server back, an orderly stop and start, and the queue
    // drained in real time.
    void finish();
    int round() const { return round_; }
    // Up, the server there and the queue empty.
    bool quiet() const;
    void fill(StationSoakFigures& figures) const;

private:
    void start();
    void crash();
    void stationRound();
    void apply(const StationFault& fault);
    void afterCameraCall(const QString& operation);
    void strike(CaptureMoment moment);
    void unplug();
    void plugIn();
    void endRound();
    void takeOverUploads();
    void sendUploads();
    void dropStation();

    StationSoakOptions options_;
    QTemporaryDir dir_;
    QString picturesPath_;
    QString cardPath_;
    ManualClock clock_;
    StationConfig config_;
    ServiceNotifier notifier_;
    std::unique_ptr<SimulatedCamera> camera_;
    std::unique_ptr<test::ScriptedCamera> cable_;
    std::unique_ptr<FtpServerSide> server_;
    std::unique_ptr<PictureLedger> ledger_;
    std::unique_ptr<StationLogWatch> console_;
    WriteLimit writeLimit_;
    // The station: built at start, dropped at a crash.
    std::unique_ptr<StationLog> log_;
    std::unique_ptr<StationMessages> messages_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<StationRunner> runner_;

    int round_ = 0;
    int downRoundsLeft_ = 0; // while above 0 the station is down
    bool cameraAway_ = false;
    int cameraAwayRoundsLeft_ = 0;
    std::vector<CameraAway> armedAways_;
    std::optional<Crash> armedCrash_;
    std::deque<Crash> crashesWaiting_; // planned while the station was down or one armed
    bool crashing_ = false;
    int diskLowRoundsLeft_ = 0;
    int writesFailRoundsLeft_ = 0;

    std::map<CaptureMoment, int> awayCounts_;
    std::map<CaptureMoment, int> crashes_;
    int downloadFailures_ = 0;
    int diskLowStretches_ = 0;
    int writeFailBursts_ = 0;
    int writesRefused_ = 0;
    int escapedExceptions_ = 0;
    double drainSeconds_ = 0;
    bool uploadsByHand_ = true;
    std::unique_ptr<UploadThread> uploadThread_;
    Backoff uploadBackoff_;
    qint64 nextUploadMs_ = 0;
};

// Runs the station soak; false, with the reason, when it could not be set up.
bool runStationSoak(const StationSoakOptions& options, StationSoakFigures& figures,
                    QString* failure);
QString stationSoakReport(const StationSoakFigures& figures);
// Lost, damaged or stray pictures, half-written files, a name given twice, a picture on
// disk the server lacks or a half one there, an exception out of the station, a status
// file not whole, resident memory that grew by more than "memoryToleranceKiB" after
// warm-up (negative: not checked). Empty: passed.
QStringList stationSoakProblems(const StationSoakFigures& figures, qint64 memoryToleranceKiB);

} // namespace snapdeck::soak
