#pragma once

#include "StationConfig.h"

#include <QDateTime>
#include <optional>

namespace snapdeck {

class Clock;

// When the station shoots: on a grid of moments "interval" apart, anchored at the start
// moment (or where the station first started), inside the daily window, until the stop
// moment or the count. Grid points are counted from the anchor; the station remembers the
// last one it handled, so that after a restart it waits for the next grid point and
// counts the ones it was down for as missed, never making them up and never taking one
// twice. Between (re)starts the wait runs on the monotonic clock: a wall clock set back
// or forward neither delays nor hurries the next shot, while the window and the stop are
// read on the wall clock.
class StationPlan {
public:
    StationPlan(const StationConfig::Schedule& schedule, QDateTime anchor);

    // Starts (or restarts) the plan now. "lastHandled": the grid point handled last
    // before, if any; the points between it and the next one are counted as missed.
    void begin(const Clock& clock, std::optional<qint64> lastHandled);

    // What to do at a grid point that has come.
    enum class Action {
        Shoot,     // take a picture
        OffWindow, // outside the daily window: no picture, nothing missed
        Ended,     // past the stop moment: the plan has ended
    };
    struct Due {
        qint64 index = 0;
        QDateTime moment; // on the wall clock
        Action action = Action::Shoot;
    };
    // The grid point that has come, if any; older points that came meanwhile (the
    // station was busy, the clock jumped) are counted as missed.
    std::optional<Due> due(const Clock& clock);

    // Grid points passed without a picture that should have had one.
    qint64 missedSinceBegin() const { return missed_; }
    void takeMissed(qint64 count) { missed_ += count; }
    // The moment of the next grid point that will take a picture (inside the window,
    // not past the stop), for the status file; invalid when no shot is left.
    QDateTime nextShot(const Clock& clock) const;
    // Milliseconds until the next grid point (0 when one has come).
    qint64 millisecondsToNext(const Clock& clock) const;

private:
    QDateTime gridMoment(qint64 index) const;
    qint64 firstIndexAtOrAfter(const QDateTime& moment) const;
    bool insideWindow(const QDateTime& moment) const;
    qint64 dueMonotonicMs(qint64 index) const;

    StationConfig::Schedule schedule_;
    QDateTime anchor_;
    QDateTime wallAtBegin_;
    qint64 monotonicAtBegin_ = 0;
    qint64 next_ = 0; // the next grid point not yet handled
    qint64 missed_ = 0;
};

} // namespace snapdeck
