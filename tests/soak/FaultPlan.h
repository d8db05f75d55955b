#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <variant>
#include <vector>

namespace snapdeck::soak {

// When an unplugged camera strikes a capture.
enum class UnplugMoment {
    BetweenShots,     // before the capture starts: nothing is taken until it is back
    AfterTakePicture, // the picture is on the card, not yet downloaded
    AfterDownload,    // the picture is downloaded, not yet deleted from the card
};

// The camera unplugged until "Камера не подключена!" has been answered "boxes" times;
// at each box the user may choose "Прекратить попытки" instead of OK.
struct Unplug {
    UnplugMoment moment = UnplugMoment::BetweenShots;
    std::vector<bool> stops; // one entry per box: true = "Прекратить попытки"
};

// The camera stops answering downloads only (error 26) while closing it still works;
// the capture asks the user after every third attempt.
struct DownloadSilence {
    int failures = 1;
    bool userStops = false; // at the first box, "Прекратить попытки"
};

// The camera's download fails with an error of its own.
struct DownloadError {};

// Every file the program writes fails for a few rounds, right after the download.
struct DiskFull {
    int rounds = 1;
};

enum class ServerOutage {
    Stopped,         // the FTP server shut down between two uploads
    Killed,          // killed between two uploads
    KilledMidUpload, // killed during the upload, when the picture is about to be sent
    SilentAtConnect, // a server that accepts the connection and never says a word
    SilentAtStore,   // a server that logs in, changes folder and never answers STOR
};

// The FTP server is out for a few rounds, then back on the same port.
struct ServerFault {
    ServerOutage outage = ServerOutage::Stopped;
    int rounds = 1;
};

using Fault = std::variant<Unplug, DownloadSilence, DownloadError, DiskFull, ServerFault>;

// The faults of a soak run, at random but reproducible rounds: the same seed gives the
// same faults at the same rounds. Rounds are planned in blocks of kBlock; every block
// holds each kind of fault (each moment of unplugging, each kind of server outage) once,
// at a random round with a random length, so that even a short run meets them all.
// With long outages, the second block of every kLongOutageEvery also holds the server
// stopped or killed (in turn) for kLongOutageShortest to kLongOutageLongest rounds: a
// backlog that builds up over minutes of the station's clock.
class FaultPlan {
public:
    static constexpr int kBlock = 100;
    static constexpr int kLongOutageEvery = 5;
    static constexpr int kLongOutageShortest = 60;
    static constexpr int kLongOutageLongest = 240;

    explicit FaultPlan(std::uint64_t seed, bool longOutages = false);

    // The faults that start in this round (rounds count from 1, asked in order).
    std::vector<Fault> faultsFor(int round);

private:
    void planBlock(int firstRound);
    int between(int low, int high); // inclusive
    bool oneIn(int n);
    void add(int round, Fault fault) { planned_[round].push_back(std::move(fault)); }

    std::mt19937_64 random_;
    bool longOutages_ = false;
    int longOutagesPlanned_ = 0;
    std::map<int, std::vector<Fault>> planned_;
    int plannedUpTo_ = 0;
};

} // namespace snapdeck::soak
