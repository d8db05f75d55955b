#include "IntervalShooting.h"

#include "TimeLeftText.h"
#include "common/Clock.h"
#include "common/Messages.h"
#include "common/Moment.h"
#include "engine/EngineContext.h"

#include <algorithm>
#include <limits>

namespace snapdeck {

bool IntervalShooting::isOn() const {
    return context_.state.interval.on;
}

void IntervalShooting::switchOn() {
    IntervalState& interval = context_.state.interval;
    if (!intervalGiven(form_)) {
        Message noInterval;
        noInterval.text = tr("Не задан интервал");
        context_.services.messages.show(noInterval);
        interval.on = false;
        interval.lineVisible = false;
        context_.publish();
        context_.observer->intervalRefused();
        return;
    }
    interval.on = true;
    storedCount_ = 0;
    startReached_.reset();
    const std::optional<qint64> next = nextShotFromNow();
    if (!next)
        return stopBecause(tr("Неверно указан интервал"));
    nextShotDueMs_ = *next;
    // The caption stays until the first tick writes it.
    interval.lineVisible = true;
    context_.publish();
}

void IntervalShooting::switchOff() {
    context_.state.interval.on = false;
    context_.state.interval.lineVisible = false;
    context_.publish();
}

void IntervalShooting::tick() {
    if (!isOn())
        return;
    const qint64 left = millisecondsLeft();
    setLine(tr("#%1, следующий снимок - через %2")
                .arg(QString::number(storedCount_), timeLeftText(left)));
    if (left > 0)
        return;
    runDueTick();
}

void IntervalShooting::runDueTick() {
    const std::optional<QDateTime> start = momentOf(form_.start);
    if (!start)
        return stopBecause(tr("Неверно указано время начала"));
    // The start, the stop and the work window are moments on the wall clock; the due
    // moment is where the wall clock stands now, less how late the tick is. Once a due
    // tick has reached the start, a wall clock set back later does not put the run to
    // sleep until the start comes round again; a new start moment does.
    const QDateTime due = timeNextShot();
    if (startReached_ != *start) {
        if (due < *start)
            return reschedule();
        startReached_ = *start;
    }

    if (form_.dailyWindow) {
        const std::optional<int> begin = windowBegin(form_);
        const std::optional<int> end = windowEnd(form_);
        if (!begin || !end)
            return stopBecause(tr("Неверно указан период работы"));
        const int timeOfDay = secondsOfDay(context_.services.clock.now());
        if (timeOfDay < *begin || timeOfDay > *end)
            return reschedule();
    }

    if (form_.stopAtMoment) {
        const std::optional<QDateTime> end = momentOf(form_.stop);
        if (!end)
            return stopBecause(tr("Неверно указано время остановки"));
        if (due > *end)
            return stop(tr("#%1. Время вышло.").arg(storedCount_));
    }

    // The count could not take one more picture.
    if (storedCount_ == std::numeric_limits<int>::max())
        return stopBecause(tr("Счетчик снимков заполнен"));

    // Only a picture stored on disk counts: a flat battery or a lost camera must not
    // end a count-limited run early.
    const qint64 dueMs = nextShotDueMs_;
    const bool stored = takePicture_();
    const std::optional<qint64> next = nextShotAfter(dueMs);
    if (stored)
        ++storedCount_;
    if (!next)
        return stopBecause(tr("Неверно указан интервал"));
    nextShotDueMs_ = *next;

    if (stored && form_.stopAfterCount) {
        const std::optional<double> limit = countLimit(form_);
        if (!limit)
            return stopBecause(tr("Неверно указано число снимков"));
        if (storedCount_ >= *limit)
            stop(tr("Снято %n снимков.", nullptr, storedCount_));
    }
}

void IntervalShooting::reschedule() {
    const std::optional<qint64> next = nextShotFromNow();
    if (!next)
        return stopBecause(tr("Неверно указан интервал"));
    nextShotDueMs_ = *next;
    setLine(tr("Следующий снимок - через %1").arg(timeLeftText(millisecondsLeft())));
}

void IntervalShooting::stop(const QString& text) {
    IntervalState& interval = context_.state.interval;
    interval.on = false;
    interval.line = text;
    interval.lineVisible = true;
    context_.publish();
    context_.observer->runEnded(text);
}

// A box that cannot be read ends the run, saying which, rather than failing every
// second without a word.
void IntervalShooting::stopBecause(const QString& reason) {
    stop(u'#' + QString::number(storedCount_) + QStringLiteral(". ") + reason + u'.');
}

// Now plus the interval on the monotonic clock, the interval read afresh so that an
// edit during a run counts from the next rescheduling. Setting the wall clock neither
// delays nor hurries the next shot.
std::optional<qint64> IntervalShooting::nextShotFromNow() const {
    const std::optional<int> seconds = intervalSeconds(form_);
    if (!seconds)
        return std::nullopt;
    return context_.services.clock.monotonicMs() + qint64(*seconds) * 1000;
}

// One interval after the shot due at "dueMs", and after the capture: the seconds a capture
// held the engine (a message box) put the next shot back, the part of a second every
// capture takes does not. The ticks come once a second whatever a capture took, so
// counting that part too would leave the next shot for the tick after the one it is due
// at, and an interval of 1 s would shoot every 2 s.
std::optional<qint64> IntervalShooting::nextShotAfter(qint64 dueMs) const {
    const std::optional<int> seconds = intervalSeconds(form_);
    if (!seconds)
        return std::nullopt;
    const qint64 late = std::max<qint64>(context_.services.clock.monotonicMs() - dueMs, 0);
    return dueMs + late / 1000 * 1000 + qint64(*seconds) * 1000;
}

qint64 IntervalShooting::millisecondsLeft() const {
    return nextShotDueMs_ - context_.services.clock.monotonicMs();
}

QDateTime IntervalShooting::timeNextShot() const {
    return context_.services.clock.now().addMSecs(millisecondsLeft());
}

void IntervalShooting::setLine(const QString& text) {
    context_.state.interval.line = text;
    context_.publish();
}

} // namespace snapdeck
