#include "FaultPlan.h"

namespace snapdeck::soak {

namespace {

constexpr UnplugMoment kMoments[] = {UnplugMoment::BetweenShots, UnplugMoment::AfterTakePicture,
                                     UnplugMoment::AfterDownload};
constexpr ServerOutage kOutages[] = {ServerOutage::Stopped, ServerOutage::SilentAtConnect,
                                     ServerOutage::Killed, ServerOutage::KilledMidUpload,
                                     ServerOutage::SilentAtStore};

} // namespace

FaultPlan::FaultPlan(std::uint64_t seed, bool longOutages)
    : random_(seed), longOutages_(longOutages) {}

// The engine's raw output only: the standard's distributions differ between libraries,
// and a seed must mean the same run everywhere.
int FaultPlan::between(int low, int high) {
    return low + static_cast<int>(random_() % static_cast<std::uint64_t>(high - low + 1));
}

bool FaultPlan::oneIn(int n) {
    return random_() % static_cast<std::uint64_t>(n) == 0;
}

std::vector<Fault> FaultPlan::faultsFor(int round) {
    while (round > plannedUpTo_) {
        planBlock(plannedUpTo_ + 1);
        plannedUpTo_ += kBlock;
    }
    std::vector<Fault> due;
    const auto found = planned_.find(round);
    if (found != planned_.end()) {
        due = std::move(found->second);
        planned_.erase(found);
    }
    return due;
}

void FaultPlan::planBlock(int firstRound) {
    // One draw per statement: the order of a call's arguments is the compiler's choice.
    const auto anyRound = [&] { return firstRound + between(0, kBlock - 1); };

    for (const UnplugMoment moment : kMoments) {
        Unplug unplug;
        unplug.moment = moment;
        const int boxes = between(1, 5);
        for (int box = 0; box < boxes; ++box)
            unplug.stops.push_back(oneIn(4));
        add(anyRound(), unplug);
    }
    DownloadSilence silence;
    silence.failures = between(1, 7);
    silence.userStops = oneIn(4);
    add(anyRound(), silence);
    add(anyRound(), DownloadError{});
    DiskFull diskFull;
    diskFull.rounds = between(1, 3);
    add(anyRound(), diskFull);
    for (const ServerOutage outage : kOutages) {
        ServerFault fault;
        fault.outage = outage;
        const bool silent =
            outage == ServerOutage::SilentAtConnect || outage == ServerOutage::SilentAtStore;
        // A silent server holds every upload for its timeouts: keep those short.
        fault.rounds = silent ? between(1, 2) : between(2, 6);
        add(anyRound(), fault);
    }
    // Drawn last: without long outages a seed plans what it always planned.
    const int block = (firstRound - 1) / kBlock;
    if (longOutages_ && block % kLongOutageEvery == 1) {
        ServerFault fault;
        fault.outage =
            longOutagesPlanned_++ % 2 == 0 ? ServerOutage::Stopped : ServerOutage::Killed;
        fault.rounds = between(kLongOutageShortest, kLongOutageLongest);
        add(anyRound(), fault);
    }
}

} // namespace snapdeck::soak
