#include "ScheduleForm.h"

#include "common/Moment.h"
#include "common/NumberReading.h"

namespace snapdeck {

namespace {

QString padded(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

MomentTexts textsOf(const QDate& date, const QTime& time) {
    return {padded(date.day(), 2),  padded(date.month(), 2),  padded(date.year(), 4),
            padded(time.hour(), 2), padded(time.minute(), 2), padded(time.second(), 2)};
}

std::optional<int> timeOfDay(const QString& hour, const QString& minute) {
    const std::optional<std::int16_t> h = readWholeNumber16(hour);
    const std::optional<std::int16_t> m = readWholeNumber16(minute);
    if (!h || !m)
        return std::nullopt;
    return (*h * 60 + *m) * 60;
}

} // namespace

ScheduleForm scheduleStartValues(const QDateTime& now) {
    ScheduleForm form;
    form.start = textsOf(now.date(), now.time());
    form.stop = textsOf(now.date().addDays(1), now.time());
    form.windowBeginHour = QStringLiteral("00");
    form.windowBeginMinute = QStringLiteral("00");
    form.windowEndHour = QStringLiteral("23");
    form.windowEndMinute = QStringLiteral("59");
    return form;
}

std::optional<int> intervalSeconds(const ScheduleForm& form) {
    const std::optional<std::int16_t> seconds = roundToInt16(leadingNumber(form.interval));
    if (!seconds)
        return std::nullopt;
    return *seconds;
}

bool intervalGiven(const ScheduleForm& form) {
    return leadingNumber(form.interval) > 0;
}

std::optional<QDateTime> momentOf(const MomentTexts& texts) {
    const QString* boxes[6] = {&texts.year, &texts.month,  &texts.day,
                               &texts.hour, &texts.minute, &texts.second};
    int parts[6];
    for (int i = 0; i < 6; ++i) {
        const std::optional<std::int16_t> part = readWholeNumber16(*boxes[i]);
        if (!part)
            return std::nullopt;
        parts[i] = *part;
    }
    const QDateTime moment =
        momentFromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

std::optional<int> windowBegin(const ScheduleForm& form) {
    return timeOfDay(form.windowBeginHour, form.windowBeginMinute);
}

std::optional<int> windowEnd(const ScheduleForm& form) {
    return timeOfDay(form.windowEndHour, form.windowEndMinute);
}

std::optional<double> countLimit(const ScheduleForm& form) {
    return readRealNumber(form.count);
}

} // namespace snapdeck
