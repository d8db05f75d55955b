#include "StationFaultPlan.h"

namespace snapdeck::soak {

const char* momentName(CaptureMoment moment) {
    switch (moment) {
    case CaptureMoment::BetweenRounds:
        return "between rounds";
    case CaptureMoment::AfterTakePicture:
        return "after the shot";
    case CaptureMoment::AfterDownload:
        return "after the download";
    case CaptureMoment::AfterStored:
        return "after storing";
    }
    return "?";
}

StationFaultPlan::StationFaultPlan(std::uint64_t seed) : random_(seed) {}

// The engine's raw output only: a seed must mean the same run everywhere.
int StationFaultPlan::between(int low, int high) {
    return low + static_cast<int>(random_() % static_cast<std::uint64_t>(high - low + 1));
}

std::vector<StationFault> StationFaultPlan::faultsFor(int round) {
    while (round > plannedUpTo_) {
        planBlock(plannedUpTo_ + 1);
        plannedUpTo_ += kBlock;
    }
    std::vector<StationFault> due;
    const auto found = planned_.find(round);
    if (found != planned_.end()) {
        due = std::move(found->second);
        planned_.erase(found);
    }
    return due;
}

void StationFaultPlan::planBlock(int firstRound) {
    // One draw per statement: the order of a call's arguments is the compiler's choice.
    const auto anyRound = [&] { return firstRound + between(0, kBlock - 1); };

    for (const CaptureMoment moment :
         {CaptureMoment::BetweenRounds, CaptureMoment::AfterTakePicture,
          CaptureMoment::AfterDownload}) {
        CameraAway away;
        away.moment = moment;
        away.rounds = between(2, 20);
        add(anyRound(), away);
    }
    add(anyRound(), DownloadFailure{});
    add(anyRound(), DownloadFailure{});
    DiskLow low;
    low.rounds = between(3, 30);
    add(anyRound(), low);
    WritesFail full;
    full.rounds = between(1, 3);
    add(anyRound(), full);

    struct Outage {
        ServerOutage outage;
        int shortest, longest;
    };
    // The server down for stretches, every tenth block a long one (up to nearly seven
    // minutes of the station's clock), so that a backlog of hundreds of pictures builds
    // up and drains; a silent server holds each upload for the transport's timeouts.
    // About a third of the rounds have the server out.
    const bool longStop = (firstRound / kBlock) % 10 == 9;
    for (const Outage& outage :
         {Outage{ServerOutage::Stopped, longStop ? 100 : 5, longStop ? 400 : 40},
          Outage{ServerOutage::Killed, 5, 20}, Outage{ServerOutage::KilledMidUpload, 2, 8},
          Outage{ServerOutage::SilentAtConnect, 2, 4}, Outage{ServerOutage::SilentAtStore, 2, 4}}) {
        ServerFault fault;
        fault.outage = outage.outage;
        fault.rounds = between(outage.shortest, outage.longest);
        add(anyRound(), fault);
    }

    for (const CaptureMoment moment :
         {CaptureMoment::BetweenRounds, CaptureMoment::AfterTakePicture,
          CaptureMoment::AfterDownload, CaptureMoment::AfterStored}) {
        Crash crash;
        crash.moment = moment;
        crash.downRounds = between(0, 10);
        add(anyRound(), crash);
    }
}

} // namespace snapdeck::soak
