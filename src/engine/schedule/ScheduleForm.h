#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace snapdeck {

// A moment as typed into six boxes: day, month, year, hour, minute, second.
struct MomentTexts {
    QString day, month, year, hour, minute, second;
    friend bool operator==(const MomentTexts&, const MomentTexts&) = default;
};

// Everything the user sets for interval shooting, as typed. Each tick reads it afresh,
// so an edit during a run takes effect at once (the interval at the next rescheduling).
struct ScheduleForm {
    QString interval = QStringLiteral("30"); // seconds
    MomentTexts start;
    bool stopAtMoment = false;
    MomentTexts stop;
    bool stopAfterCount = false;
    QString count = QStringLiteral("10");
    bool dailyWindow = false;
    QString windowBeginHour, windowBeginMinute, windowEndHour, windowEndMinute;
    friend bool operator==(const ScheduleForm&, const ScheduleForm&) = default;
};

// The start-up values: start now, stop at the same time tomorrow, a work window from
// 00:00 to 23:59; the interval and count keep their defaults.
ScheduleForm scheduleStartValues(const QDateTime& now);

// Readings of the boxes; nothing for a box that cannot be read as it must.
// The interval: the leading number, rounded into 16 bits, in seconds.
std::optional<int> intervalSeconds(const ScheduleForm& form);
// True when the interval's leading number, unrounded, is above 0: switching on needs it.
bool intervalGiven(const ScheduleForm& form);
std::optional<QDateTime> momentOf(const MomentTexts& texts);
// Seconds after midnight of the work window's begin and end, on the full minute.
std::optional<int> windowBegin(const ScheduleForm& form);
std::optional<int> windowEnd(const ScheduleForm& form);
// The count limit, as a real number.
std::optional<double> countLimit(const ScheduleForm& form);

} // namespace snapdeck
