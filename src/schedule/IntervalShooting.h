#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <optional>

namespace snapdeck {

class Capture;
class ConnectionMonitor;
class ScheduleFrame;
struct Services;

// Interval shooting: while "chkTiming" is ticked the timer tTime ticks once a second,
// and each tick decides whether a picture is due, whether the start moment has come,
// whether the time of day lies inside the work window and whether a stop moment or the
// count limit has been reached. lblNextTxt shows the count and the time left, and at
// the end the reason for stopping.
class IntervalShooting : public QObject {
public:
    IntervalShooting(Services& services, ScheduleFrame& frame, Capture& capture,
                     const ConnectionMonitor& monitor);

    // Runs whenever the mark of chkTiming changes, by the user or by a stop.
    void chkTiming_Click();
    // One tick of tTime.
    void tTime_Timer();

    // The next shot's moment as the wall clock shows it now.
    QDateTime timeNextShot() const;
    std::int32_t grabCount() const { return GrabCount; }

    // Once a second while a run is on, stopped otherwise.
    QTimer tTime;

private:
    friend struct IntervalShootingProbe; // tests: a count near its largest value

    void runDueTick();
    void reschedule();
    void stop(const QString& text);
    void stopBecause(const QString& reason);
    std::optional<qint64> nextShotFromNow() const;
    qint64 millisecondsLeft() const;
    std::optional<QDateTime> startMoment() const;
    std::optional<QDateTime> stopMoment() const;

    Services& services_;
    ScheduleFrame& frame_;
    Capture& capture_;
    const ConnectionMonitor& monitor_;
    qint64 nextShotDueMs_ = 0;              // on the clock's monotonic reading
    std::optional<QDateTime> startReached_; // the start moment this run has reached
    std::int32_t GrabCount = 0;
    bool ticking_ = false;
};

} // namespace snapdeck
