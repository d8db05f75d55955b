#pragma once

#include "ScheduleForm.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

namespace snapdeck {

class EngineContext;

// Interval shooting: while it is on, a tick once a second decides whether a picture is
// due, whether the start moment has come, whether the time of day lies inside the work
// window and whether a stop moment or the count limit has been reached. The state's
// interval line shows the count and the time left, and at the end the reason for
// stopping. The wait for the next shot runs on the monotonic clock; the start, the stop
// and the work window are read on the wall clock.
class IntervalShooting {
    Q_DECLARE_TR_FUNCTIONS(IntervalShooting)

public:
    // Takes one picture; true when it was stored on disk.
    using TakePicture = std::function<bool()>;

    IntervalShooting(EngineContext& context, TakePicture takePicture)
        : context_(context), takePicture_(std::move(takePicture)) {}

    // The boxes as they read now.
    void setForm(const ScheduleForm& form) { form_ = form; }
    const ScheduleForm& form() const { return form_; }

    // "Включить интервальную съемка" ticked or cleared, by the user or by a stop.
    void switchOn();
    void switchOff();
    bool isOn() const;

    // One tick of the once-a-second timer.
    void tick();

    // The next shot's moment as the wall clock shows it now; pictures stored this run.
    QDateTime timeNextShot() const;
    int storedCount() const { return storedCount_; }

private:
    friend struct IntervalShootingProbe; // tests: a count near its largest value

    void runDueTick();
    void reschedule();
    void stop(const QString& text);
    void stopBecause(const QString& reason);
    std::optional<qint64> nextShotFromNow() const;
    std::optional<qint64> nextShotAfter(qint64 dueMs) const;
    qint64 millisecondsLeft() const;
    void setLine(const QString& text);

    EngineContext& context_;
    TakePicture takePicture_;
    ScheduleForm form_;
    qint64 nextShotDueMs_ = 0; // on the clock's monotonic reading
    int storedCount_ = 0;
    std::optional<QDateTime> startReached_; // the start moment this run has reached
};

} // namespace snapdeck
