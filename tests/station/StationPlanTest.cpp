#include "station/StationPlan.h"
#include "common/Clock.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

const QDateTime kStart(QDate(2026, 12, 7), QTime(6, 0, 0));

StationConfig::Schedule everyMinute() {
    StationConfig::Schedule schedule;
    schedule.intervalSeconds = 60;
    schedule.start = kStart;
    return schedule;
}

// Moves the clock second by second until a grid point comes; the moment it came.
std::optional<StationPlan::Due> waitForDue(StationPlan& plan, ManualClock& clock, int seconds) {
    for (int i = 0; i < seconds; ++i) {
        if (auto due = plan.due(clock))
            return due;
        clock.advance(1);
    }
    return std::nullopt;
}

} // namespace

TEST(StationPlan, ShotsFallOnAGridAnchoredAtTheStartAndALateStartWaitsForTheNextPoint) {
    ManualClock clock(kStart.addSecs(-30));
    StationPlan plan(everyMinute(), clock.now());
    plan.begin(clock, std::nullopt);
    auto due = waitForDue(plan, clock, 120);
    ASSERT_TRUE(due);
    EXPECT_EQ(due->index, 0);
    EXPECT_EQ(clock.now(), kStart);
    EXPECT_EQ(due->action, StationPlan::Action::Shoot);

    ManualClock late(kStart.addSecs(3 * 60 + 20)); // started at 06:03:20
    StationPlan restarted(everyMinute(), late.now());
    restarted.begin(late, std::nullopt);
    EXPECT_EQ(restarted.nextShot(late), kStart.addSecs(4 * 60));
    due = waitForDue(restarted, late, 120);
    ASSERT_TRUE(due);
    EXPECT_EQ(due->index, 4);
    EXPECT_EQ(late.now(), kStart.addSecs(4 * 60));
    EXPECT_EQ(restarted.missedSinceBegin(), 0) << "never started before: nothing missed";
}

TEST(StationPlan, PointsMissedWhileDownAreCountedAndNeverMadeUp) {
    ManualClock clock(kStart.addSecs(10 * 60 + 5));
    StationPlan plan(everyMinute(), clock.now());
    plan.begin(clock, 5); // the last point handled before the power cut: 06:05
    EXPECT_EQ(plan.missedSinceBegin(), 5) << "06:06 to 06:10";
    const auto due = waitForDue(plan, clock, 120);
    ASSERT_TRUE(due);
    EXPECT_EQ(due->index, 11);

    // Busy for three minutes (a camera that hangs): the points that passed are missed.
    clock.advance(3 * 60 + 30);
    const auto next = plan.due(clock);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->index, 14);
    EXPECT_EQ(plan.missedSinceBegin(), 5 + 2);
}

TEST(StationPlan, ASetClockNeitherDelaysNorHurriesAndNoPointIsTakenTwice) {
    ManualClock clock(kStart);
    StationPlan plan(everyMinute(), clock.now());
    plan.begin(clock, std::nullopt);
    ASSERT_EQ(waitForDue(plan, clock, 5)->index, 0);
    clock.setWallClock(clock.now().addSecs(-3600)); // NTP after boot: an hour back
    auto due = waitForDue(plan, clock, 61);
    ASSERT_TRUE(due);
    EXPECT_EQ(due->index, 1) << "one interval after the last shot";
    clock.setWallClock(clock.now().addSecs(7200)); // and two hours forward
    due = waitForDue(plan, clock, 61);
    ASSERT_TRUE(due);
    EXPECT_EQ(due->index, 2);
    EXPECT_EQ(plan.missedSinceBegin(), 0);

    // Restarted after the clock went back: the points already handled come not again.
    ManualClock back(kStart.addSecs(30));
    StationPlan again(everyMinute(), back.now());
    again.begin(back, 2);
    due = waitForDue(again, back, 200);
    ASSERT_TRUE(due);
    EXPECT_EQ(due->index, 3);
}

TEST(StationPlan, TheDailyWindowMayWrapPastMidnightAndTheStopEndsThePlan) {
    StationConfig::Schedule schedule;
    schedule.intervalSeconds = 3600;
    schedule.start = QDateTime(QDate(2026, 12, 7), QTime(0, 0));
    schedule.dailyFrom = QTime(22, 0);
    schedule.dailyTo = QTime(4, 0);
    schedule.stop = QDateTime(QDate(2026, 12, 8), QTime(23, 0));
    ManualClock clock(*schedule.start);
    StationPlan plan(schedule, clock.now());
    plan.begin(clock, std::nullopt);
    QList<int> shotHours;
    for (int hour = 0; hour < 48; ++hour) {
        const auto due = plan.due(clock);
        ASSERT_TRUE(due) << hour;
        if (due->action == StationPlan::Action::Ended)
            break;
        if (due->action == StationPlan::Action::Shoot)
            shotHours.append(due->moment.time().hour());
        clock.advance(3600);
    }
    EXPECT_EQ(shotHours, (QList<int>{0, 1, 2, 3, 4, 22, 23, 0, 1, 2, 3, 4, 22, 23}));
    EXPECT_EQ(plan.missedSinceBegin(), 0) << "hours outside the window are not missed";
}
