#pragma once

#include <QString>
#include <vector>

namespace snapdeck::soak {

// How long each of the timers' commands held the station's thread, in milliseconds.
class TickTimes {
public:
    // Room for the ticks of this many shots, made at once.
    void reserve(int shots);
    // "quietServer": no FTP outage was on, whose timeouts hold an upload by design.
    void note(double milliseconds, int round, const QString& handler, bool quietServer);

    double longest() const { return longest_; }
    int longestRound() const { return longestRound_; }
    QString longestHandler() const { return longestHandler_; }
    double longestWithQuietServer() const { return longestQuiet_; }
    int longestWithQuietServerRound() const { return longestQuietRound_; }
    // Over every tick of the interval timer, or those with no FTP outage on.
    double percentile(double fraction, bool quietServerOnly = false) const;
    double totalSeconds() const { return total_ / 1000.0; }

private:
    std::vector<double> shotTicks_;
    std::vector<double> quietShotTicks_;
    double longest_ = 0;
    int longestRound_ = 0;
    QString longestHandler_;
    double longestQuiet_ = 0;
    int longestQuietRound_ = 0;
    double total_ = 0;
};

} // namespace snapdeck::soak
