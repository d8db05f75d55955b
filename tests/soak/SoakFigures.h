#pragma once

#include "FaultPlan.h"
#include "PictureLedger.h"
#include "ServerHoldings.h"
#include "StationOperator.h"
#include "UploadLedger.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace snapdeck::soak {

// The memory a soak watches, KiB: resident after the warm-up and at the end, its samples
// (the shot or round, KiB), and the allocator's bytes in use.
struct MemoryFigures {
    qint64 rssAfterWarmupKiB = 0;
    qint64 rssEndKiB = 0;
    qint64 rssPeakKiB = 0;
    std::vector<std::pair<int, qint64>> rssSamples;
    qint64 heapAfterWarmupKiB = 0;
    qint64 heapEndKiB = 0;
};

// Everything a soak run found out.
struct SoakFigures : MemoryFigures {
    std::uint64_t seed = 0;
    int shotsPlanned = 0;
    int shots = 0;  // pictures the interval run stored on disk (its count)
    int rounds = 0; // a second of the station's clock each, with the timers' work
    qint64 stationSeconds = 0;
    double wallSeconds = 0;

    PictureCount pictures;
    UploadCount uploads; // the upload at once, checked as each ends

    // With the background queue: the server's folder once the server is back and the
    // queue has drained.
    bool backgroundQueue = false;
    ServerHoldings server;
    int queueLeft = 0;       // entries the drain did not send
    int longestQueue = 0;    // the queue's length at its longest, at the end of a round
    int backlogsDrained = 0; // times a queue of 30 or more emptied while shooting went on
    double drainSeconds = 0; // real time from the server back for good to the queue empty
    int roundsServerDown = 0;
    int longOutages = 0; // outages planned as long ones
    int longestOutageRounds = 0;
    int killedAtStor = 0;         // kills mid-upload that struck at the worker's STOR
    int killedWaitingForStor = 0; // the others, after waiting for one

    // The faults that struck.
    std::map<UnplugMoment, int> unplugs;
    int downloadSilences = 0;
    int downloadErrors = 0;
    int diskFullBursts = 0;
    int diskFullWrites = 0; // writes that met the full disk
    std::map<ServerOutage, int> outages;
    std::map<BoxKind, int> boxes;
    int userStops = 0;
    QStringList unexpectedBoxes;

    // The station's thread: how long each round's commands (pollBattery, intervalTick)
    // held it. An interval tick holds the whole capture and its upload.
    double longestTickMs = 0;
    int longestTickRound = 0;
    QString longestTickHandler;
    double longestTickQuietServerMs = 0; // with no FTP outage on
    int longestTickQuietServerRound = 0;
    double shotTickMedianMs = 0;
    double shotTickP99Ms = 0;
    double quietShotTickMedianMs = 0; // with no FTP outage on
    double quietShotTickP99Ms = 0;
    int escapedExceptions = 0;
    QString runEndedEarly; // why the interval run ended before its shots, if it did

    int warmupShots = 0; // before the memory is first measured

    QString serverFailure;
};

} // namespace snapdeck::soak
