#include "engine/schedule/IntervalShooting.h"
#include "engine/schedule/TimeLeftText.h"
#include "support/EngineFixture.h"

#include <QTimer>
#include <limits>

namespace snapdeck {
// Lets a test put the count where a real run would take decades to bring it.
struct IntervalShootingProbe {
    static void setStoredCount(IntervalShooting& shooting, int count) {
        shooting.storedCount_ = count;
    }
};
} // namespace snapdeck

using namespace snapdeck;

namespace {

const QDateTime kStartUp(QDate(2026, 12, 6), QTime(8, 5, 3));
const QString kCountdown = QStringLiteral("следующий снимок - через");

// The schedule as the boxes hold it ("form"): a test types into a box of the form and
// the engine reads it afresh, as it does after every edit in the window.
class IntervalShootingTest : public test::EngineFixture {
protected:
    void load() {
        EngineFixture::load();
        ASSERT_TRUE(observer.schedule.has_value()) << "start-up fills the boxes";
        form = *observer.schedule;
    }
    void type(QString& box, const char* text) {
        box = QString::fromUtf8(text);
        engine->setSchedule(form);
    }
    void tickBox(bool& box, bool ticked) {
        box = ticked;
        engine->setSchedule(form);
    }

    QString line() const { return state().interval.line; }
    bool lineShown() const { return state().interval.lineVisible; }
    bool running() const { return state().interval.on; }
    int pictures() const { return cameraLog({"takePicture"}).size(); }

    void switchOn() { engine->setIntervalShooting(true); }
    void switchOff() { engine->setIntervalShooting(false); }
    void tick() { engine->intervalTick(); }
    // One second passes and the timer ticks.
    void secondPasses() {
        clock.advance(1);
        tick();
    }
    void secondsPass(int seconds) {
        for (int i = 0; i < seconds; ++i)
            secondPasses();
    }
    // Ticks once a second until the run stops; the moments at which pictures were taken.
    QList<QDateTime> runUntilStopped(int limitSeconds) {
        QList<QDateTime> taken;
        for (int i = 0; i < limitSeconds && running(); ++i) {
            const int before = pictures();
            secondPasses();
            if (pictures() > before)
                taken.append(clock.now());
        }
        return taken;
    }
    // Only the due ticks: the clock jumps to the next shot.
    void dueTick() {
        clock.set(engine->timeNextShot());
        tick();
    }
    QList<QTimer*> activeTimers() const {
        QList<QTimer*> active;
        for (QTimer* timer : engine->findChildren<QTimer*>())
            if (timer->isActive())
                active.append(timer);
        return active;
    }

    ScheduleForm form;
};

} // namespace

TEST(TimeLeftText, CountsWholeSecondsLeftWithinOneDay) {
    EXPECT_EQ(timeLeftText(17000), QStringLiteral("00:00:17"));
    EXPECT_EQ(timeLeftText(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(timeLeftText(32767000), QStringLiteral("09:06:07"));
    EXPECT_EQ(timeLeftText(-1000), QStringLiteral("23:59:59")) << "one second late";
    EXPECT_EQ(timeLeftText(28999), QStringLiteral("00:00:29")) << "part of a second counts";
    EXPECT_EQ(timeLeftText(-20999), QStringLiteral("23:59:40")) << "late by whole seconds";
    EXPECT_EQ(timeLeftText(-999), QStringLiteral("00:00:00")) << "due within the second";
}

TEST_F(IntervalShootingTest, DefaultRunShootsEveryThirtySecondsAndCountsDown) {
    load();
    EXPECT_FALSE(engine->intervalTimerActive()) << "no ticks before switch-on";
    EXPECT_EQ(line(), QStringLiteral("Следующий снимок - через"));

    switchOn();
    EXPECT_TRUE(engine->intervalTimerActive());
    EXPECT_TRUE(lineShown());
    EXPECT_EQ(line(), QStringLiteral("Следующий снимок - через")) << "the first tick writes it";
    EXPECT_EQ(pictures(), 0) << "no picture at switch-on";

    secondPasses();
    EXPECT_EQ(line(), QStringLiteral("#0, следующий снимок - через 00:00:29"));
    secondsPass(28);
    EXPECT_EQ(line(), QStringLiteral("#0, следующий снимок - через 00:00:01"));
    EXPECT_EQ(pictures(), 0);
    secondPasses();
    EXPECT_EQ(pictures(), 1) << "30 seconds after switch-on";
    EXPECT_EQ(engine->intervalCount(), 1);
    EXPECT_EQ(engine->timeNextShot(), kStartUp.addSecs(60));
    secondPasses();
    EXPECT_EQ(line(), QStringLiteral("#1, следующий снимок - через 00:00:29"));

    // A tick that comes a second late still shoots; its line shows the late moment.
    clock.set(kStartUp.addSecs(61));
    tick();
    EXPECT_EQ(pictures(), 2);
    EXPECT_EQ(line(), QStringLiteral("#1, следующий снимок - через 23:59:59"));
    EXPECT_EQ(engine->timeNextShot(), kStartUp.addSecs(91));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(IntervalShootingTest, ATimerOfOneSecondDrivesTheTick) {
    load();
    const QList<QTimer*> before = activeTimers(); // the battery's
    switchOn();
    QList<QTimer*> started = activeTimers();
    for (QTimer* timer : before)
        started.removeOne(timer);
    ASSERT_EQ(started.size(), 1);
    QTimer* timer = started.first();
    EXPECT_EQ(timer->interval(), 1000);
    clock.advance(30);
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(pictures(), 1);
}

TEST_F(IntervalShootingTest, AnIntervalNotAboveZeroIsRefused) {
    load();
    int refusals = 0;
    for (const char* text : {"0", "", "слово", "-5", "  -0.1"}) {
        messages.clear();
        type(form.interval, text);
        switchOn();
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Не задан интервал")}) << text;
        EXPECT_FALSE(running()) << text;
        EXPECT_FALSE(engine->intervalTimerActive()) << text;
        EXPECT_FALSE(lineShown()) << text;
        EXPECT_EQ(observer.intervalRefusals, ++refusals) << "the interval box needs the user";
    }
}

TEST_F(IntervalShootingTest, AFractionOfASecondIsAcceptedAndShootsAtEveryTick) {
    load();
    type(form.interval, "0.4");
    switchOn();
    EXPECT_TRUE(messages.shown.empty());
    secondsPass(3);
    EXPECT_EQ(pictures(), 3);
    EXPECT_EQ(engine->intervalCount(), 3);
}

TEST_F(IntervalShootingTest, IntervalEditsCountFromTheNextRescheduling) {
    load();
    type(form.interval, "45 сек");
    switchOn();
    EXPECT_EQ(engine->timeNextShot(), kStartUp.addSecs(45)) << "the leading number";
    type(form.interval, "10");
    EXPECT_EQ(runUntilStopped(45).size(), 1);
    EXPECT_EQ(engine->timeNextShot(), kStartUp.addSecs(55));
    type(form.interval, "2.5");
    dueTick();
    EXPECT_EQ(engine->timeNextShot(), kStartUp.addSecs(57)) << "2.5 rounds to 2";
}

TEST_F(IntervalShootingTest, StartMomentAheadOnlyReschedulesUntilItComes) {
    load();
    type(form.start.minute, "15"); // 08:15:03, ten minutes ahead
    switchOn();
    bool rescheduleCaptionSeen = false;
    QList<QDateTime> taken;
    for (int second = 1; second <= 640; ++second) {
        const int before = pictures();
        secondPasses();
        if (pictures() > before)
            taken.append(clock.now());
        if (line() == QStringLiteral("Следующий снимок - через 00:00:30")) {
            rescheduleCaptionSeen = true;
            EXPECT_EQ(pictures(), 0);
            secondPasses(); // the caption stands for one tick only
            ++second;
            EXPECT_TRUE(line().startsWith(QStringLiteral("#0, ") + kCountdown))
                << line().toStdString();
        }
    }
    EXPECT_TRUE(rescheduleCaptionSeen);
    ASSERT_EQ(taken.size(), 2);
    EXPECT_EQ(taken[0], QDateTime(QDate(2026, 12, 6), QTime(8, 15, 3)));
    EXPECT_EQ(taken[1], QDateTime(QDate(2026, 12, 6), QTime(8, 15, 33)));
}

TEST_F(IntervalShootingTest, StopMomentEndsTheRunAtTheFirstDueTickAfterIt) {
    load();
    tickBox(form.stopAtMoment, true);
    type(form.stop.day, "06");
    type(form.stop.second, "02"); // one second before switch-on
    switchOn();
    EXPECT_TRUE(runUntilStopped(60).isEmpty()) << "no picture";
    EXPECT_EQ(clock.now(), kStartUp.addSecs(30));
    EXPECT_EQ(line(), QStringLiteral("#0. Время вышло."));
    EXPECT_TRUE(lineShown());
    EXPECT_FALSE(engine->intervalTimerActive());
    EXPECT_EQ(observer.runsEnded, QStringList{"#0. Время вышло."});

    // A picture due exactly at the stop moment is still taken.
    type(form.stop.hour, "08");
    type(form.stop.minute, "06");
    type(form.stop.second, "03"); // 08:06:03
    clock.set(kStartUp);
    switchOn();
    const QList<QDateTime> taken = runUntilStopped(120);
    EXPECT_EQ(taken, (QList<QDateTime>{kStartUp.addSecs(30), kStartUp.addSecs(60)}));
    EXPECT_EQ(line(), QStringLiteral("#2. Время вышло."));
    EXPECT_EQ(clock.now(), kStartUp.addSecs(90));

    // The due moment counts, not the moment the tick comes: a late tick still shoots.
    clock.set(kStartUp);
    switchOn();
    dueTick();
    clock.set(kStartUp.addSecs(62));
    tick();
    EXPECT_EQ(pictures(), 4);
    EXPECT_TRUE(running());
}

TEST_F(IntervalShootingTest, CountLimitIsTestedAfterEachPicture) {
    load();
    tickBox(form.stopAfterCount, true);
    struct Case {
        const char* limit;
        int pictures;
    };
    for (const Case& c : {Case{"3", 3}, Case{"0", 1}, Case{"2.5", 3}, Case{" 2,5 ", 3}}) {
        script().clearLog();
        type(form.count, c.limit);
        switchOn();
        EXPECT_EQ(runUntilStopped(200).size(), c.pictures) << c.limit;
        EXPECT_EQ(line(), QStringLiteral("Снято %1 снимков.").arg(c.pictures)) << c.limit;
        EXPECT_TRUE(lineShown());
        EXPECT_FALSE(running());
        EXPECT_FALSE(engine->intervalTimerActive());
    }
}

TEST_F(IntervalShootingTest, WorkWindowThatWrapsPastMidnightNeverShoots) {
    load();
    tickBox(form.dailyWindow, true);
    type(form.windowBeginHour, "22");
    type(form.windowEndHour, "06");
    type(form.windowEndMinute, "00");
    switchOn();
    for (int i = 0; i < 24 * 120; ++i) // a whole day of due ticks
        dueTick();
    EXPECT_EQ(pictures(), 0);
    EXPECT_TRUE(running());
    EXPECT_EQ(line(), QStringLiteral("Следующий снимок - через 00:00:30"));
}

TEST_F(IntervalShootingTest, WorkWindowEndIncludesItsFullMinuteOnly) {
    load();
    tickBox(form.dailyWindow, true);
    type(form.windowEndHour, "17");
    type(form.windowEndMinute, "30");
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(17, 29, 30)));
    switchOn();
    dueTick(); // 17:30:00
    EXPECT_EQ(pictures(), 1);
    dueTick(); // 17:30:30
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(line(), QStringLiteral("Следующий снимок - через 00:00:30"));

    switchOff();
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(17, 29, 30)));
    type(form.interval, "31");
    switchOn();
    dueTick(); // 17:30:01
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(engine->timeNextShot(), QDateTime(QDate(2026, 12, 6), QTime(17, 30, 32)));
}

TEST_F(IntervalShootingTest, SwitchingOffKeepsTheCountAndOnAgainStartsAfresh) {
    load();
    switchOn();
    dueTick();
    dueTick();
    const QDateTime next = engine->timeNextShot();
    const QString lastCaption = line();

    switchOff();
    EXPECT_FALSE(engine->intervalTimerActive());
    EXPECT_FALSE(lineShown());
    EXPECT_EQ(engine->intervalCount(), 2);
    EXPECT_TRUE(observer.runsEnded.isEmpty()) << "switched off by the user, not ended";
    dueTick();
    EXPECT_EQ(pictures(), 2) << "a tick while off does nothing";
    EXPECT_EQ(line(), lastCaption);
    EXPECT_EQ(engine->timeNextShot(), next);

    clock.advance(100);
    switchOn();
    EXPECT_EQ(engine->intervalCount(), 0);
    EXPECT_EQ(engine->timeNextShot(), clock.now().addSecs(30));
    EXPECT_EQ(line(), lastCaption) << "until the first tick";
    secondPasses();
    EXPECT_EQ(line(), QStringLiteral("#0, следующий снимок - через 00:00:29"));
}

// The engine does one thing at a time: while a capture's message box is open no tick
// runs, and the next shot is counted from the end of the capture.
TEST_F(IntervalShootingTest, TheTimeACaptureTakesCountsBeforeTheNextShot) {
    load();
    switchOn();
    script().failNext("downloadPicture", 5, 1, QStringLiteral("card error"));
    messages.answer = [&](const Message&) {
        clock.advance(7); // the box stays open for seven seconds
        return 0;
    };
    dueTick();
    messages.answer = nullptr;
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(engine->intervalCount(), 0) << "a failed capture stores no picture";
    EXPECT_EQ(engine->timeNextShot(), kStartUp.addSecs(30 + 7 + 30));
    EXPECT_EQ(line(), QStringLiteral("#0, следующий снимок - через 00:00:00"));
    secondPasses();
    EXPECT_EQ(line(), QStringLiteral("#0, следующий снимок - через 00:00:29"));
}

// On the real clock every capture takes part of a second (the camera, the file flushed),
// while the timer keeps ticking once a second from the switch-on. That part must not
// cost the next shot a tick: 1 s shot every 2 s, 5 s every 6 s.
TEST_F(IntervalShootingTest, ThePartOfASecondACaptureTakesDoesNotStretchTheInterval) {
    load();
    camera->afterCall = [this](const QString& operation) {
        if (operation == QStringLiteral("takePicture"))
            clock.set(clock.now().addMSecs(300));
    };
    const QDateTime switchedOn = clock.now();
    int second = 0;
    auto tickAtNextSecond = [&] {
        clock.set(switchedOn.addSecs(++second));
        tick();
    };
    type(form.interval, "1");
    switchOn();
    for (int i = 0; i < 10; ++i)
        tickAtNextSecond();
    EXPECT_EQ(pictures(), 10) << "one picture a second";

    type(form.interval, "5"); // from the next shot on
    tickAtNextSecond();
    ASSERT_EQ(pictures(), 11);
    tickAtNextSecond();
    EXPECT_EQ(line(), QStringLiteral("#11, следующий снимок - через 00:00:04"));
    for (int i = 0; i < 19; ++i)
        tickAtNextSecond();
    EXPECT_EQ(pictures(), 15) << "at 16, 21, 26, 31 s";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

// A shot that falls due while the engine is busy (the user's capture waits on its
// message box) is taken by the first tick after it: once, however long the wait.
TEST_F(IntervalShootingTest, AShotThatFallsDueDuringACaptureIsTakenRightAfterIt) {
    load();
    switchOn();
    script().failNext("downloadPicture", 5, 1, QStringLiteral("card error"));
    messages.answer = [&](const Message&) {
        clock.set(engine->timeNextShot().addSecs(45)); // past the due moment and the next
        return 0;
    };
    EXPECT_FALSE(engine->capture());
    messages.answer = nullptr;
    EXPECT_EQ(pictures(), 1) << "only the user's picture";
    EXPECT_EQ(engine->intervalCount(), 0);
    tick();
    EXPECT_EQ(pictures(), 2) << "the interval picture follows at the next tick";
    EXPECT_EQ(engine->intervalCount(), 1);
    EXPECT_EQ(engine->timeNextShot(), clock.now().addSecs(30)) << "no shots to catch up";
    secondPasses();
    EXPECT_EQ(pictures(), 2);
}

// The battery's wait for a camera that does not answer blocks the engine as a capture
// does, so no interval tick can run under its message box any more; the shot that fell
// due meanwhile is taken once the camera answers, and no second box is stacked.
TEST_F(IntervalShootingTest, AShotThatFallsDueWhileTheBatteryWaitsForTheCameraFollowsIt) {
    load();
    switchOn();
    script().failNext("batteryPercent", 26, 1);
    script().failNext("close", 26, 1);
    messages.answer = [&](const Message&) {
        clock.set(engine->timeNextShot());
        return 0;
    };
    engine->pollBattery();
    messages.answer = nullptr;
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(pictures(), 0);
    tick();
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(engine->intervalCount(), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(IntervalShootingTest, UnreadableBoxesEndTheRunWithTheReason) {
    load();
    struct Case {
        bool ScheduleForm::*enable;
        QString& (*box)(ScheduleForm&);
        const char* text;
        const char* stopText;
    };
    const Case cases[] = {
        {nullptr, [](ScheduleForm& f) -> QString& { return f.start.hour; }, "восемь",
         "#0. Неверно указано время начала."},
        {nullptr, [](ScheduleForm& f) -> QString& { return f.start.year; }, "40000",
         "#0. Неверно указано время начала."},
        {&ScheduleForm::stopAtMoment, [](ScheduleForm& f) -> QString& { return f.stop.day; }, "",
         "#0. Неверно указано время остановки."},
        {&ScheduleForm::dailyWindow, [](ScheduleForm& f) -> QString& { return f.windowEndMinute; },
         "1e9", "#0. Неверно указан период работы."},
        {&ScheduleForm::stopAfterCount, [](ScheduleForm& f) -> QString& { return f.count; },
         "много", "#1. Неверно указано число снимков."},
        {nullptr, [](ScheduleForm& f) -> QString& { return f.interval; }, "40000",
         "#0. Неверно указан интервал."},
    };
    for (const Case& c : cases) {
        const ScheduleForm before = form;
        if (c.enable)
            tickBox(form.*c.enable, true);
        type(c.box(form), c.text);
        switchOn();
        runUntilStopped(60);
        EXPECT_EQ(line(), QString::fromUtf8(c.stopText)) << c.text;
        EXPECT_TRUE(lineShown()) << c.text;
        EXPECT_FALSE(engine->intervalTimerActive()) << c.text;
        EXPECT_EQ(observer.runsEnded.last(), QString::fromUtf8(c.stopText)) << c.text;
        form = before;
        engine->setSchedule(form);
    }
    EXPECT_TRUE(messages.shown.empty());

    // Boxes of a limit that is switched off are not read.
    type(form.stop.day, "нет");
    type(form.windowBeginHour, "нет");
    type(form.count, "нет");
    script().clearLog();
    switchOn();
    runUntilStopped(30);
    EXPECT_TRUE(running());
    EXPECT_EQ(pictures(), 1);
}

TEST_F(IntervalShootingTest, IntervalThatTurnsUnreadableDuringARunEndsItAfterThePicture) {
    load();
    switchOn();
    type(form.interval, "99999");
    dueTick();
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(line(), QStringLiteral("#1. Неверно указан интервал."));
    EXPECT_FALSE(running());
}

// On the interval shooting alone, with a picture that is always stored: a run would
// take decades to fill the count.
TEST_F(IntervalShootingTest, AFullCountEndsTheRunInsteadOfOverflowing) {
    create();
    EngineContext context(EngineServices{*camera, messages, clock, *folder, locale});
    context.observer = &observer;
    int taken = 0;
    IntervalShooting shooting(context, [&] { return ++taken > 0; });
    shooting.setForm(scheduleStartValues(clock.now()));
    shooting.switchOn();
    IntervalShootingProbe::setStoredCount(shooting, std::numeric_limits<int>::max() - 1);
    const auto dueTickOf = [&] {
        clock.set(shooting.timeNextShot());
        shooting.tick();
    };
    dueTickOf();
    EXPECT_EQ(shooting.storedCount(), std::numeric_limits<int>::max());
    dueTickOf();
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(shooting.storedCount(), std::numeric_limits<int>::max());
    EXPECT_EQ(context.state.interval.line,
              QStringLiteral("#2147483647. Счетчик снимков заполнен."));
    EXPECT_FALSE(shooting.isOn());
}

// With a flat battery half the shots fail: the count, the count limit and the closing
// line all mean pictures stored, and a limited run goes on until it has them all.
TEST_F(IntervalShootingTest, OnlyStoredPicturesCountTowardsTheLimitAndTheLines) {
    load();
    tickBox(form.stopAfterCount, true);
    type(form.count, "3");
    switchOn();
    script().failNext("takePicture", 1001, 2, QStringLiteral("Батарея разряжена"));
    dueTick();
    dueTick();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(engine->intervalCount(), 0);
    secondPasses();
    EXPECT_TRUE(line().startsWith(QStringLiteral("#0, "))) << line().toStdString();
    dueTick();
    dueTick();
    EXPECT_TRUE(running());
    dueTick();
    EXPECT_FALSE(running());
    EXPECT_EQ(line(), QStringLiteral("Снято 3 снимков."));
    EXPECT_EQ(observer.runsEnded, QStringList{"Снято 3 снимков."});
    EXPECT_EQ(pictures(), 5) << "two failed attempts and three pictures";
}

TEST_F(IntervalShootingTest, ACameraThatNeverComesBackDoesNotEndACountLimitedRun) {
    load();
    tickBox(form.stopAfterCount, true);
    type(form.count, "2");
    switchOn();
    script().failNext("takePicture", 1001, 1000);
    for (int i = 0; i < 10; ++i)
        dueTick();
    EXPECT_TRUE(running());
    EXPECT_EQ(engine->intervalCount(), 0);
}

// Stations correct their clocks (NTP after boot, a daylight-saving mistake): the next
// shot stays one interval after the last whatever the wall clock does.
TEST_F(IntervalShootingTest, SettingTheWallClockNeitherDelaysNorHurriesTheNextShot) {
    load();
    switchOn();
    dueTick();
    ASSERT_EQ(pictures(), 1);

    clock.setWallClock(clock.now().addSecs(-3600)); // an hour back
    secondPasses();
    EXPECT_EQ(line(), QStringLiteral("#1, следующий снимок - через 00:00:29"));
    secondsPass(29);
    EXPECT_EQ(pictures(), 2) << "one interval after the last picture, not an hour later";

    clock.setWallClock(clock.now().addSecs(3600)); // and forward again
    secondPasses();
    EXPECT_EQ(pictures(), 2) << "no extra picture for the jump";
    EXPECT_EQ(line(), QStringLiteral("#2, следующий снимок - через 00:00:29"));
    secondsPass(29);
    EXPECT_EQ(pictures(), 3);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(IntervalShootingTest, TheStopMomentFollowsTheWallClock) {
    load();
    tickBox(form.stopAtMoment, true);
    type(form.stop.day, "06");
    type(form.stop.hour, "09"); // 09:05:03 today
    switchOn();
    dueTick();
    EXPECT_EQ(pictures(), 1);
    clock.setWallClock(QDateTime(QDate(2026, 12, 6), QTime(10, 0, 0)));
    secondsPass(30);
    EXPECT_FALSE(running());
    EXPECT_EQ(line(), QStringLiteral("#1. Время вышло."));
}
