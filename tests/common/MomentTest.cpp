#include "common/Moment.h"
#include "support/QtPrinters.h"

#include <ctime>
#include <gtest/gtest.h>
#include <limits>

using namespace snapdeck;

namespace {

QDateTime at(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, mi, s));
}

} // namespace

TEST(Moment, PartsInTheirRangesGiveThatMoment) {
    EXPECT_EQ(momentFromParts(2026, 12, 6, 8, 5, 3), at(2026, 12, 6, 8, 5, 3));
    EXPECT_EQ(momentFromParts(2050, 1, 1, 0, 0, 0), at(2050, 1, 1));
    EXPECT_EQ(momentFromParts(2024, 2, 29, 23, 59, 59), at(2024, 2, 29, 23, 59, 59));
}

TEST(Moment, PartsOutsideTheirRangesCarryOver) {
    EXPECT_EQ(momentFromParts(2026, 4, 31, 0, 0, 0), at(2026, 5, 1)) << "day 31 of April";
    EXPECT_EQ(momentFromParts(2026, 2, 31, 0, 0, 0), at(2026, 3, 3)) << "day 31 of February";
    EXPECT_EQ(momentFromParts(2026, 12, 32, 0, 0, 0), at(2027, 1, 1));
    EXPECT_EQ(momentFromParts(2026, 12, 6, 24, 0, 0), at(2026, 12, 7)) << "hour 24";
    EXPECT_EQ(momentFromParts(2026, 12, 31, 23, 60, 0), at(2027, 1, 1)) << "minute 60";
    EXPECT_EQ(momentFromParts(2026, 12, 6, 8, 59, 60), at(2026, 12, 6, 9, 0, 0));
    EXPECT_EQ(momentFromParts(2026, 13, 1, 0, 0, 0), at(2027, 1, 1)) << "month 13";
    EXPECT_EQ(momentFromParts(2026, 0, 15, 0, 0, 0), at(2025, 12, 15)) << "month 0";
    EXPECT_EQ(momentFromParts(2026, 25, 1, 0, 0, 0), at(2028, 1, 1));
    EXPECT_EQ(momentFromParts(2026, 1, 1, 0, 0, 32767), at(2026, 1, 1, 9, 6, 7));
    EXPECT_EQ(momentFromParts(1900, 2, 29, 0, 0, 0), at(1900, 3, 1)) << "no leap day in 1900";
    EXPECT_EQ(momentFromParts(2000, 2, 29, 0, 0, 0), at(2000, 2, 29));
}

TEST(Moment, NegativePartsCountBackwards) {
    EXPECT_EQ(momentFromParts(2026, 3, 0, 0, 0, 0), at(2026, 2, 28)) << "day 0";
    EXPECT_EQ(momentFromParts(2026, -1, 1, 0, 0, 0), at(2025, 11, 1)) << "month -1";
    EXPECT_EQ(momentFromParts(2026, -12, 1, 0, 0, 0), at(2024, 12, 1));
    EXPECT_EQ(momentFromParts(2026, 1, 1, -1, 0, 0), at(2025, 12, 31, 23, 0, 0)) << "hour -1";
    EXPECT_EQ(momentFromParts(2026, 1, 1, 0, 0, -1), at(2025, 12, 31, 23, 59, 59));
    EXPECT_EQ(momentFromParts(2026, 1, 1, 0, -90, 30), at(2025, 12, 31, 22, 30, 30));
    EXPECT_EQ(momentFromParts(2026, 1, -32768, 0, 0, 0), at(2026, 1, 1).addDays(-32769));
}

// Against the calendar's own arithmetic over a span of months, days and years.
TEST(Moment, AgreesWithCalendarArithmeticEverywhere) {
    for (int year : {1, 99, 100, 1900, 2000, 2023, 2024, 2050, 9999})
        for (int month = -30; month <= 30; ++month)
            for (int day = -40; day <= 70; day += 7) {
                const QDate expected = QDate(year, 1, 1).addMonths(month - 1).addDays(day - 1);
                ASSERT_EQ(momentFromParts(year, month, day, 0, 0, 0),
                          QDateTime(expected, QTime(0, 0)))
                    << year << "/" << month << "/" << day;
            }
}

// Found by fuzzing: month - 1 overflowed int for the smallest month.
TEST(Moment, PartsAsLargeAsAnIntCarryOverWithoutOverflow) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(momentFromParts(2026, kMin, 1, 0, 0, 0).date(), QDate(-178954946, 4, 1));
    EXPECT_EQ(momentFromParts(2026, kMax, 1, 0, 0, 0).date(), QDate(178958996, 7, 1));
    EXPECT_EQ(momentFromParts(2026, 1, 1, 0, kMin, 0),
              QDateTime(QDate(2026, 1, 1).addDays(-1491309), QTime(21, 52, 0)));
    EXPECT_EQ(momentFromParts(2026, 1, 1, kMax, 0, kMax),
              QDateTime(QDate(2026, 1, 1).addDays(89503340), QTime(10, 14, 7)));
}

TEST(Moment, YearsBelowOneHundredStandAsWritten) {
    EXPECT_EQ(momentFromParts(26, 12, 6, 0, 0, 0).date(), QDate(26, 12, 6));
    EXPECT_EQ(momentFromParts(1, 0, 1, 0, 0, 0).date(), QDate(-1, 12, 1)) << "year 0 is 1 BC";
    EXPECT_LT(momentFromParts(26, 12, 6, 0, 0, 0), at(2026, 12, 6));
}

namespace {

// The local time zone for one test, as a POSIX rule, so that no zone files are needed.
class LocalZone {
public:
    explicit LocalZone(const char* rule)
        : saved_(qgetenv("TZ")), had_(qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", rule);
        tzset();
    }
    ~LocalZone() {
        if (had_)
            qputenv("TZ", saved_);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray saved_;
    bool had_;
};

QDateTime utc(int y, int m, int d, int h, int mi = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, mi), Qt::UTC);
}

} // namespace

// Found by fuzzing: a time in the hour skipped by daylight saving gave no moment at all,
// so a start or stop time there never came or came at once.
TEST(Moment, DaylightSavingChangesFollowTheWallClock) {
    {
        const LocalZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
        EXPECT_EQ(momentFromParts(2026, 3, 29, 1, 59, 59), utc(2026, 3, 29, 0, 59).addSecs(59));
        EXPECT_EQ(momentFromParts(2026, 3, 29, 2, 0, 0), utc(2026, 3, 29, 1)) << "skipped";
        EXPECT_EQ(momentFromParts(2026, 3, 29, 2, 30, 0), utc(2026, 3, 29, 1)) << "skipped";
        EXPECT_EQ(momentFromParts(2026, 3, 29, 3, 0, 0), utc(2026, 3, 29, 1));
        EXPECT_EQ(momentFromParts(2026, 3, 29, 3, 30, 0), utc(2026, 3, 29, 1, 30));
        EXPECT_EQ(momentFromParts(2026, 10, 25, 2, 30, 0), utc(2026, 10, 25, 0, 30))
            << "shown twice: the first";
        EXPECT_EQ(momentFromParts(2026, 10, 25, 3, 0, 0), utc(2026, 10, 25, 2));
        EXPECT_EQ(momentFromParts(2026, 10, 24, 26, 30, 0), utc(2026, 10, 25, 0, 30));
    }
    {
        // Daylight saving that begins at midnight: hour 24 of the day before is skipped.
        const LocalZone santiago("<-04>4<-03>,M9.1.0/0,M4.1.0/0");
        EXPECT_EQ(momentFromParts(2026, 9, 5, 24, 0, 0), utc(2026, 9, 6, 4));
        EXPECT_EQ(momentFromParts(2026, 9, 6, 0, 0, 0), utc(2026, 9, 6, 4));
        EXPECT_EQ(momentFromParts(2026, 9, 6, 1, 0, 0), utc(2026, 9, 6, 4));
        EXPECT_EQ(momentFromParts(2026, 9, 5, 23, 59, 59), utc(2026, 9, 6, 3, 59).addSecs(59));
    }
}

TEST(Moment, SecondsOfDayDropFractions) {
    EXPECT_EQ(secondsOfDay(at(2026, 12, 6, 8, 5, 3)), 8 * 3600 + 5 * 60 + 3);
    EXPECT_EQ(secondsOfDay(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59, 999))), 86399);
    EXPECT_EQ(secondsOfDay(at(2026, 12, 6)), 0);
}
