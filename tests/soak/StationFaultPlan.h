#pragma once

#include "FaultPlan.h"

#include <cstdint>
#include <map>
#include <random>
#include <variant>
#include <vector>

namespace snapdeck::soak {

// When a fault strikes the station's capture: between rounds, or right after one of the
// capture's camera calls.
enum class CaptureMoment {
    BetweenRounds,
    AfterTakePicture, // the picture is on the card, nothing else known
    AfterDownload,    // the picture is in the station's hands, not yet on disk
    AfterStored,      // on disk, queued and deleted from the card, not yet counted
};

// The camera unplugged (its card folder renamed away) for a number of rounds.
struct CameraAway {
    CaptureMoment moment = CaptureMoment::BetweenRounds; // AfterStored is not used
    int rounds = 1;
};
// The camera's download fails with an error of its own, once.
struct DownloadFailure {};
// Less free space than the station's minimum, for a number of rounds.
struct DiskLow {
    int rounds = 1;
};
// Every write of a picture fails as on a full disk, for a number of rounds.
struct WritesFail {
    int rounds = 1;
};
// The station killed (kill -9) at the moment, down for a number of rounds, then started
// again over the same folders.
struct Crash {
    CaptureMoment moment = CaptureMoment::BetweenRounds;
    int downRounds = 0;
};

using StationFault =
    std::variant<CameraAway, DownloadFailure, DiskLow, WritesFail, ServerFault, Crash>;

// The station soak's faults, at random but reproducible rounds: blocks of kBlock rounds,
// each holding every kind of fault at every moment once, so that even a short run meets
// them all. The FTP server is down for long stretches (every tenth block stopped for up
// to 400 rounds); outages that overlap wait for each other.
class StationFaultPlan {
public:
    static constexpr int kBlock = 200;

    explicit StationFaultPlan(std::uint64_t seed);

    // The faults that start in this round (rounds count from 1, asked in order).
    std::vector<StationFault> faultsFor(int round);

private:
    void planBlock(int firstRound);
    int between(int low, int high); // inclusive
    void add(int round, StationFault fault) { planned_[round].push_back(std::move(fault)); }

    std::mt19937_64 random_;
    std::map<int, std::vector<StationFault>> planned_;
    int plannedUpTo_ = 0;
};

const char* momentName(CaptureMoment moment);

} // namespace snapdeck::soak
