#include "IntervalShooting.h"

#include "ScheduleFrame.h"
#include "TimeLeftText.h"
#include "app/ConnectionMonitor.h"
#include "app/Services.h"
#include "capture/Capture.h"
#include "common/Clock.h"
#include "common/Messages.h"
#include "common/Moment.h"
#include "common/NumberReading.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <limits>

namespace snapdeck {

namespace {

constexpr int kTickMs = 1000;

// A moment from its six boxes, each read as a whole 16-bit number; nothing when a box
// cannot be read so.
std::optional<QDateTime> momentFromBoxes(QLineEdit* year, QLineEdit* month, QLineEdit* day,
                                         QLineEdit* hour, QLineEdit* minute, QLineEdit* second) {
    int parts[6];
    QLineEdit* boxes[6] = {year, month, day, hour, minute, second};
    for (int i = 0; i < 6; ++i) {
        const std::optional<std::int16_t> part = readWholeNumber16(boxes[i]->text());
        if (!part)
            return std::nullopt;
        parts[i] = *part;
    }
    return momentFromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
}

// Seconds after midnight of a time of day on the full minute.
std::optional<int> timeOfDayFromBoxes(QLineEdit* hour, QLineEdit* minute) {
    const std::optional<std::int16_t> h = readWholeNumber16(hour->text());
    const std::optional<std::int16_t> m = readWholeNumber16(minute->text());
    if (!h || !m)
        return std::nullopt;
    return (*h * 60 + *m) * 60;
}

} // namespace

IntervalShooting::IntervalShooting(Services& services, ScheduleFrame& frame, Capture& capture,
                                   const ConnectionMonitor& monitor)
    : services_(services), frame_(frame), capture_(capture), monitor_(monitor) {
    tTime.setObjectName(QStringLiteral("tTime"));
    // Even spacing, so that the countdown shows every second.
    tTime.setTimerType(Qt::PreciseTimer);
    connect(&tTime, &QTimer::timeout, this, &IntervalShooting::tTime_Timer);
    connect(frame_.chkTiming, &QCheckBox::toggled, this, &IntervalShooting::chkTiming_Click);
}

void IntervalShooting::chkTiming_Click() {
    if (!frame_.chkTiming->isChecked()) {
        tTime.stop();
        frame_.lblNextTxt->setVisible(false);
        return;
    }
    if (leadingNumber(frame_.txtInterval->text()) > 0) {
        tTime.start(kTickMs);
        GrabCount = 0;
        startReached_.reset();
        const std::optional<qint64> next = nextShotFromNow();
        if (!next)
            return stopBecause(QStringLiteral("Неверно указан интервал"));
        nextShotDueMs_ = *next;
        frame_.lblNextTxt->setVisible(true);
        return;
    }
    Message noInterval;
    noInterval.text = QStringLiteral("Не задан интервал");
    services_.messages.show(noInterval);
    tTime.stop();
    frame_.lblNextTxt->setVisible(false);
    frame_.chkTiming->setChecked(false);
    frame_.txtInterval->setFocus();
}

void IntervalShooting::tTime_Timer() {
    // A message box of a capture runs a nested event loop in which this timer keeps
    // firing; such ticks, ticks while the capture button's capture runs and ticks while
    // the battery monitor waits for the camera are dropped. A due picture is taken at
    // the first tick after.
    if (ticking_ || capture_.isCapturing() || monitor_.isWaitingForCamera())
        return;
    const QScopedValueRollback busy(ticking_, true);
    if (!frame_.chkTiming->isChecked())
        return;
    const qint64 left = millisecondsLeft();
    frame_.lblNextTxt->setText(u'#' + QString::number(GrabCount) +
                               QStringLiteral(", cледующий снимок - через ") + timeLeftText(left));
    if (left > 0)
        return;
    runDueTick();
}

void IntervalShooting::runDueTick() {
    const std::optional<QDateTime> start = startMoment();
    if (!start)
        return stopBecause(QStringLiteral("Неверно указано время начала"));
    // The start, the stop and the work window are moments on the wall clock; the due
    // moment is where the wall clock stands now, less how late the tick is.
    // Once a due tick has reached the start, a wall clock set back later does not put
    // the run to sleep until the start comes round again; a new start moment does.
    const QDateTime due = timeNextShot();
    if (startReached_ != *start) {
        if (due < *start)
            return reschedule();
        startReached_ = *start;
    }

    if (frame_.chkWorkTime->isChecked()) {
        const std::optional<int> begin = timeOfDayFromBoxes(frame_.WBH, frame_.WBM);
        const std::optional<int> end = timeOfDayFromBoxes(frame_.WEH, frame_.WEM);
        if (!begin || !end)
            return stopBecause(QStringLiteral("Неверно указан период работы"));
        const int timeOfDay = secondsOfDay(services_.clock.now());
        if (timeOfDay < *begin || timeOfDay > *end)
            return reschedule();
    }

    if (frame_.chkTimeToStop->isChecked()) {
        const std::optional<QDateTime> end = stopMoment();
        if (!end)
            return stopBecause(QStringLiteral("Неверно указано время остановки"));
        if (due > *end)
            return stop(u'#' + QString::number(GrabCount) + QStringLiteral(". Время вышло."));
    }

    // The count could not take one more picture.
    if (GrabCount == std::numeric_limits<std::int32_t>::max())
        return stopBecause(QStringLiteral("Счетчик снимков заполнен"));

    // Only a picture stored on disk counts: a flat battery or a lost camera must not
    // end a count-limited run early.
    const bool stored = capture_.CapturePicture();
    const std::optional<qint64> next = nextShotFromNow();
    if (stored)
        ++GrabCount;
    if (!next)
        return stopBecause(QStringLiteral("Неверно указан интервал"));
    nextShotDueMs_ = *next;

    if (stored && frame_.chkCaptureCount->isChecked()) {
        const std::optional<double> limit = readRealNumber(frame_.txtCaptureCount->text());
        if (!limit)
            return stopBecause(QStringLiteral("Неверно указано число снимков"));
        if (GrabCount >= *limit)
            stop(QStringLiteral("Снято ") + QString::number(GrabCount) +
                 QStringLiteral(" снимков."));
    }
}

void IntervalShooting::reschedule() {
    const std::optional<qint64> next = nextShotFromNow();
    if (!next)
        return stopBecause(QStringLiteral("Неверно указан интервал"));
    nextShotDueMs_ = *next;
    frame_.lblNextTxt->setText(QStringLiteral("Следующий снимок - через ") +
                               timeLeftText(millisecondsLeft()));
}

void IntervalShooting::stop(const QString& text) {
    tTime.stop();
    frame_.chkTiming->setChecked(false); // its handler hides the label
    frame_.lblNextTxt->setText(text);
    frame_.lblNextTxt->setVisible(true);
}

// A box that cannot be read ends the run, saying which, rather than failing every
// second without a word.
void IntervalShooting::stopBecause(const QString& reason) {
    stop(u'#' + QString::number(GrabCount) + QStringLiteral(". ") + reason + u'.');
}

// Now plus the interval on the monotonic clock: the leading number of txtInterval,
// rounded, read afresh so that an edit during a run counts from the next rescheduling.
// Setting the wall clock neither delays nor hurries the next shot.
std::optional<qint64> IntervalShooting::nextShotFromNow() const {
    const std::optional<std::int16_t> seconds =
        roundToInt16(leadingNumber(frame_.txtInterval->text()));
    if (!seconds)
        return std::nullopt;
    return services_.clock.monotonicMs() + qint64(*seconds) * 1000;
}

qint64 IntervalShooting::millisecondsLeft() const {
    return nextShotDueMs_ - services_.clock.monotonicMs();
}

QDateTime IntervalShooting::timeNextShot() const {
    return services_.clock.now().addMSecs(millisecondsLeft());
}

std::optional<QDateTime> IntervalShooting::startMoment() const {
    return momentFromBoxes(frame_.DBY, frame_.DBM, frame_.DBD, frame_.TBH, frame_.TBM, frame_.TBS);
}

std::optional<QDateTime> IntervalShooting::stopMoment() const {
    return momentFromBoxes(frame_.DSY, frame_.DSM, frame_.DSD, frame_.TSH, frame_.TSM, frame_.TSS);
}

} // namespace snapdeck
