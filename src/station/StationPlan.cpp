#include "StationPlan.h"

#include "common/Clock.h"

namespace snapdeck {

StationPlan::StationPlan(const StationConfig::Schedule& schedule, QDateTime anchor)
    : schedule_(schedule), anchor_(schedule.start.value_or(std::move(anchor))) {}

QDateTime StationPlan::gridMoment(qint64 index) const {
    return anchor_.addSecs(index * schedule_.intervalSeconds);
}

qint64 StationPlan::firstIndexAtOrAfter(const QDateTime& moment) const {
    const qint64 seconds = anchor_.secsTo(moment);
    if (seconds <= 0)
        return 0;
    return (seconds + schedule_.intervalSeconds - 1) / schedule_.intervalSeconds;
}

void StationPlan::begin(const Clock& clock, std::optional<qint64> lastHandled) {
    wallAtBegin_ = clock.now();
    monotonicAtBegin_ = clock.monotonicMs();
    // Started after the start moment: the next grid point, never one already passed.
    next_ = firstIndexAtOrAfter(wallAtBegin_);
    if (lastHandled && *lastHandled >= next_)
        next_ = *lastHandled + 1; // the wall clock was set back meanwhile: no point twice
    missed_ = 0;
    if (lastHandled)
        for (qint64 index = *lastHandled + 1; index < next_; ++index)
            if (insideWindow(gridMoment(index)) &&
                !(schedule_.stop && gridMoment(index) > *schedule_.stop))
                ++missed_;
}

qint64 StationPlan::dueMonotonicMs(qint64 index) const {
    return monotonicAtBegin_ + wallAtBegin_.msecsTo(gridMoment(index));
}

bool StationPlan::insideWindow(const QDateTime& moment) const {
    if (!schedule_.dailyFrom || !schedule_.dailyTo)
        return true;
    const QTime time = moment.time();
    const QTime from = *schedule_.dailyFrom;
    const QTime to = *schedule_.dailyTo;
    // Both ends belong to the window; one that wraps past midnight runs from "from" to
    // the end of the day and from midnight to "to".
    if (from <= to)
        return time >= from && time <= to;
    return time >= from || time <= to;
}

std::optional<StationPlan::Due> StationPlan::due(const Clock& clock) {
    const qint64 now = clock.monotonicMs();
    if (now < dueMonotonicMs(next_))
        return std::nullopt;
    // Points that came while the station could not look are missed, the newest is due.
    while (now >= dueMonotonicMs(next_ + 1)) {
        if (insideWindow(gridMoment(next_)))
            ++missed_;
        ++next_;
    }
    Due due;
    due.index = next_;
    // The wall clock's own reading of the moment, to the nearest second (the clock
    // reads whole seconds): the window, the stop and the picture's name follow it.
    const qint64 wallMs = clock.now().toMSecsSinceEpoch() + dueMonotonicMs(next_) - now;
    due.moment = QDateTime::fromSecsSinceEpoch((wallMs + 500) / 1000);
    if (schedule_.stop && due.moment > *schedule_.stop)
        due.action = Action::Ended;
    else if (!insideWindow(due.moment))
        due.action = Action::OffWindow;
    ++next_;
    return due;
}

qint64 StationPlan::millisecondsToNext(const Clock& clock) const {
    return std::max<qint64>(0, dueMonotonicMs(next_) - clock.monotonicMs());
}

QDateTime StationPlan::nextShot(const Clock& clock) const {
    qint64 index = next_;
    // Outside the window: the first grid point at or after the window's next beginning.
    for (int day = 0; day < 1000 && !insideWindow(gridMoment(index)); ++day) {
        const QDateTime moment = gridMoment(index);
        QDateTime begin(moment.date(), *schedule_.dailyFrom);
        if (begin <= moment)
            begin = begin.addDays(1);
        index = std::max(index + 1, firstIndexAtOrAfter(begin));
    }
    if (!insideWindow(gridMoment(index)) || (schedule_.stop && gridMoment(index) > *schedule_.stop))
        return {};
    return clock.now().addMSecs(std::max<qint64>(0, dueMonotonicMs(index) - clock.monotonicMs()));
}

} // namespace snapdeck
