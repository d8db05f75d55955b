#include "schedule/IntervalShooting.h"
#include "app/ConnectionMonitor.h"
#include "schedule/ScheduleFrame.h"
#include "schedule/TimeLeftText.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace snapdeck {
// Lets a test put the count where a real run would take decades to bring it.
struct IntervalShootingProbe {
    static void setGrabCount(IntervalShooting& shooting, std::int32_t count) {
        shooting.GrabCount = count;
    }
};
} // namespace snapdeck

using namespace snapdeck;

namespace {

const QDateTime kStartUp(QDate(2026, 12, 6), QTime(8, 5, 3));
const QString kCountdown = QStringLiteral("cледующий снимок - через");

class IntervalShootingTest : public test::WindowFixture {
protected:
    ScheduleFrame& frame() { return *window->scheduleFrame; }
    IntervalShooting& shooting() { return window->intervalShooting(); }
    QString label() { return frame().lblNextTxt->text(); }
    bool labelShown() { return !frame().lblNextTxt->isHidden(); }
    bool running() { return frame().chkTiming->isChecked(); }
    int pictures() const { return cameraLog({"TakePicture"}).size(); }

    void switchOn() { frame().chkTiming->setChecked(true); }
    void tick() { shooting().tTime_Timer(); }
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
        clock.set(shooting().timeNextShot());
        tick();
    }
    void set(QLineEdit* box, const char* text) { box->setText(QString::fromUtf8(text)); }
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
    EXPECT_FALSE(shooting().tTime.isActive()) << "no ticks before switch-on";
    EXPECT_EQ(label(), QStringLiteral("Следующий снимок - через"));

    switchOn();
    EXPECT_TRUE(shooting().tTime.isActive());
    EXPECT_EQ(shooting().tTime.interval(), 1000);
    EXPECT_TRUE(labelShown());
    EXPECT_EQ(label(), QStringLiteral("Следующий снимок - через")) << "the first tick writes it";
    EXPECT_EQ(pictures(), 0) << "no picture at switch-on";

    secondPasses();
    EXPECT_EQ(label(), QStringLiteral("#0, cледующий снимок - через 00:00:29"));
    secondsPass(28);
    EXPECT_EQ(label(), QStringLiteral("#0, cледующий снимок - через 00:00:01"));
    EXPECT_EQ(pictures(), 0);
    secondPasses();
    EXPECT_EQ(pictures(), 1) << "30 seconds after switch-on";
    EXPECT_EQ(shooting().grabCount(), 1);
    EXPECT_EQ(shooting().timeNextShot(), kStartUp.addSecs(60));
    secondPasses();
    EXPECT_EQ(label(), QStringLiteral("#1, cледующий снимок - через 00:00:29"));

    // A tick that comes a second late still shoots; its label shows the late moment.
    clock.set(kStartUp.addSecs(61));
    tick();
    EXPECT_EQ(pictures(), 2);
    EXPECT_EQ(label(), QStringLiteral("#1, cледующий снимок - через 23:59:59"));
    EXPECT_EQ(shooting().timeNextShot(), kStartUp.addSecs(91));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(IntervalShootingTest, TheTimerDrivesTheTick) {
    load();
    switchOn();
    clock.advance(30);
    QMetaObject::invokeMethod(&shooting().tTime, "timeout");
    EXPECT_EQ(pictures(), 1);
}

TEST_F(IntervalShootingTest, AnIntervalNotAboveZeroIsRefused) {
    load();
    for (const char* text : {"0", "", "слово", "-5", "  -0.1"}) {
        messages.clear();
        set(frame().txtInterval, text);
        switchOn();
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Не задан интервал")}) << text;
        EXPECT_FALSE(running()) << text;
        EXPECT_FALSE(shooting().tTime.isActive()) << text;
        EXPECT_FALSE(labelShown()) << text;
        EXPECT_EQ(window->focusWidget(), frame().txtInterval) << text;
    }
}

TEST_F(IntervalShootingTest, AFractionOfASecondIsAcceptedAndShootsAtEveryTick) {
    load();
    set(frame().txtInterval, "0.4");
    switchOn();
    EXPECT_TRUE(messages.shown.empty());
    secondsPass(3);
    EXPECT_EQ(pictures(), 3);
    EXPECT_EQ(shooting().grabCount(), 3);
}

TEST_F(IntervalShootingTest, IntervalEditsCountFromTheNextRescheduling) {
    load();
    set(frame().txtInterval, "45 сек");
    switchOn();
    EXPECT_EQ(shooting().timeNextShot(), kStartUp.addSecs(45)) << "the leading number";
    set(frame().txtInterval, "10");
    EXPECT_EQ(runUntilStopped(45).size(), 1);
    EXPECT_EQ(shooting().timeNextShot(), kStartUp.addSecs(55));
    set(frame().txtInterval, "2.5");
    dueTick();
    EXPECT_EQ(shooting().timeNextShot(), kStartUp.addSecs(57)) << "2.5 rounds to 2";
}

TEST_F(IntervalShootingTest, StartMomentAheadOnlyReschedulesUntilItComes) {
    load();
    set(frame().TBM, "15"); // 08:15:03, ten minutes ahead
    switchOn();
    bool rescheduleCaptionSeen = false;
    QList<QDateTime> taken;
    for (int second = 1; second <= 640; ++second) {
        const int before = pictures();
        secondPasses();
        if (pictures() > before)
            taken.append(clock.now());
        if (label() == QStringLiteral("Следующий снимок - через 00:00:30")) {
            rescheduleCaptionSeen = true;
            EXPECT_EQ(pictures(), 0);
            secondPasses(); // the caption stands for one tick only
            ++second;
            EXPECT_TRUE(label().startsWith(QStringLiteral("#0, ") + kCountdown))
                << label().toStdString();
        }
    }
    EXPECT_TRUE(rescheduleCaptionSeen);
    ASSERT_EQ(taken.size(), 2);
    EXPECT_EQ(taken[0], QDateTime(QDate(2026, 12, 6), QTime(8, 15, 3)));
    EXPECT_EQ(taken[1], QDateTime(QDate(2026, 12, 6), QTime(8, 15, 33)));
}

TEST_F(IntervalShootingTest, StopMomentEndsTheRunAtTheFirstDueTickAfterIt) {
    load();
    frame().chkTimeToStop->setChecked(true);
    set(frame().DSD, "06");
    set(frame().TSS, "02"); // one second before switch-on
    switchOn();
    EXPECT_TRUE(runUntilStopped(60).isEmpty()) << "no picture";
    EXPECT_EQ(clock.now(), kStartUp.addSecs(30));
    EXPECT_EQ(label(), QStringLiteral("#0. Время вышло."));
    EXPECT_TRUE(labelShown());
    EXPECT_FALSE(shooting().tTime.isActive());

    // A picture due exactly at the stop moment is still taken.
    set(frame().TSH, "08");
    set(frame().TSM, "06");
    set(frame().TSS, "03"); // 08:06:03
    clock.set(kStartUp);
    switchOn();
    const QList<QDateTime> taken = runUntilStopped(120);
    EXPECT_EQ(taken, (QList<QDateTime>{kStartUp.addSecs(30), kStartUp.addSecs(60)}));
    EXPECT_EQ(label(), QStringLiteral("#2. Время вышло."));
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
    frame().chkCaptureCount->setChecked(true);
    struct Case {
        const char* limit;
        int pictures;
    };
    for (const Case& c : {Case{"3", 3}, Case{"0", 1}, Case{"2.5", 3}, Case{" 2,5 ", 3}}) {
        camera->script().clearLog();
        set(frame().txtCaptureCount, c.limit);
        switchOn();
        EXPECT_EQ(runUntilStopped(200).size(), c.pictures) << c.limit;
        EXPECT_EQ(label(), QStringLiteral("Снято %1 снимков.").arg(c.pictures)) << c.limit;
        EXPECT_TRUE(labelShown());
        EXPECT_FALSE(running());
        EXPECT_FALSE(shooting().tTime.isActive());
    }
}

TEST_F(IntervalShootingTest, WorkWindowThatWrapsPastMidnightNeverShoots) {
    load();
    frame().chkWorkTime->setChecked(true);
    set(frame().WBH, "22");
    set(frame().WEH, "06");
    set(frame().WEM, "00");
    switchOn();
    for (int i = 0; i < 24 * 120; ++i) // a whole day of due ticks
        dueTick();
    EXPECT_EQ(pictures(), 0);
    EXPECT_TRUE(running());
    EXPECT_EQ(label(), QStringLiteral("Следующий снимок - через 00:00:30"));
}

TEST_F(IntervalShootingTest, WorkWindowEndIncludesItsFullMinuteOnly) {
    load();
    frame().chkWorkTime->setChecked(true);
    set(frame().WEH, "17");
    set(frame().WEM, "30");
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(17, 29, 30)));
    switchOn();
    dueTick(); // 17:30:00
    EXPECT_EQ(pictures(), 1);
    dueTick(); // 17:30:30
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(label(), QStringLiteral("Следующий снимок - через 00:00:30"));

    frame().chkTiming->setChecked(false);
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(17, 29, 30)));
    set(frame().txtInterval, "31");
    switchOn();
    dueTick(); // 17:30:01
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(shooting().timeNextShot(), QDateTime(QDate(2026, 12, 6), QTime(17, 30, 32)));
}

TEST_F(IntervalShootingTest, SwitchingOffKeepsTheCountAndOnAgainStartsAfresh) {
    load();
    switchOn();
    dueTick();
    dueTick();
    const QDateTime next = shooting().timeNextShot();
    const QString lastCaption = label();

    frame().chkTiming->setChecked(false);
    EXPECT_FALSE(shooting().tTime.isActive());
    EXPECT_FALSE(labelShown());
    EXPECT_EQ(shooting().grabCount(), 2);
    dueTick();
    EXPECT_EQ(pictures(), 2) << "a tick while off does nothing";
    EXPECT_EQ(label(), lastCaption);
    EXPECT_EQ(shooting().timeNextShot(), next);

    clock.advance(100);
    switchOn();
    EXPECT_EQ(shooting().grabCount(), 0);
    EXPECT_EQ(shooting().timeNextShot(), clock.now().addSecs(30));
    EXPECT_EQ(label(), lastCaption) << "until the first tick";
    secondPasses();
    EXPECT_EQ(label(), QStringLiteral("#0, cледующий снимок - через 00:00:29"));
}

TEST_F(IntervalShootingTest, NoTickRunsInsideATickAndTheCaptureTimeCounts) {
    load();
    switchOn();
    // The capture fails and its message box stays open for seven seconds, while the
    // timer keeps firing underneath.
    camera->script().failNext("DownloadPicture", 5, 1, QStringLiteral("card error"));
    int ticksWhileOpen = 0;
    messages.answer = [&](const Message&) {
        for (int i = 0; i < 7; ++i, ++ticksWhileOpen)
            secondPasses();
        return 0;
    };
    dueTick();
    messages.answer = nullptr;
    EXPECT_EQ(ticksWhileOpen, 7);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(shooting().grabCount(), 0) << "a failed capture stores no picture";
    EXPECT_EQ(shooting().timeNextShot(), kStartUp.addSecs(30 + 7 + 30));
    EXPECT_EQ(label(), QStringLiteral("#0, cледующий снимок - через 00:00:00"))
        << "the dropped ticks wrote nothing";
    secondPasses();
    EXPECT_EQ(label(), QStringLiteral("#0, cледующий снимок - через 00:00:29"))
        << "the next tick proceeds normally";
}

TEST_F(IntervalShootingTest, ADueTickWaitsForTheCaptureButtonsCapture) {
    load();
    switchOn();
    camera->script().failNext("DownloadPicture", 5, 1, QStringLiteral("card error"));
    messages.answer = [&](const Message&) {
        dueTick(); // the interval picture falls due while the button's capture is open
        return 0;
    };
    window->cmdCapture->click();
    messages.answer = nullptr;
    EXPECT_EQ(pictures(), 1) << "only the button's picture";
    EXPECT_EQ(shooting().grabCount(), 0);
    secondPasses();
    EXPECT_EQ(pictures(), 2) << "the interval picture follows at once";
    EXPECT_EQ(shooting().grabCount(), 1);
}

TEST_F(IntervalShootingTest, ADueTickWaitsWhileTheBatteryMonitorWaitsForTheCamera) {
    load();
    switchOn();
    camera->script().failNext("GetBatteryStatus", 26, 1);
    camera->script().failNext("CloseCamera", 26, 1);
    messages.answer = [&](const Message&) {
        dueTick(); // under "Камера не подключена!" of the battery tick
        return 0;
    };
    window->connectionMonitor().tBat_Timer();
    messages.answer = nullptr;
    EXPECT_EQ(messages.shown.size(), 1u) << "no second message from a capture beneath";
    EXPECT_EQ(pictures(), 0);
    secondPasses();
    EXPECT_EQ(pictures(), 1) << "the picture follows once the camera answers";
}

TEST_F(IntervalShootingTest, UnreadableBoxesEndTheRunWithTheReason) {
    load();
    struct Case {
        QCheckBox* enable;
        QLineEdit* box;
        const char* text;
        const char* stopText;
    };
    ScheduleFrame& f = frame();
    const Case cases[] = {
        {nullptr, f.TBH, "восемь", "#0. Неверно указано время начала."},
        {nullptr, f.DBY, "40000", "#0. Неверно указано время начала."},
        {f.chkTimeToStop, f.DSD, "", "#0. Неверно указано время остановки."},
        {f.chkWorkTime, f.WEM, "1e9", "#0. Неверно указан период работы."},
        {f.chkCaptureCount, f.txtCaptureCount, "много", "#1. Неверно указано число снимков."},
        {nullptr, f.txtInterval, "40000", "#0. Неверно указан интервал."},
    };
    for (const Case& c : cases) {
        const QString before = c.box->text();
        if (c.enable)
            c.enable->setChecked(true);
        set(c.box, c.text);
        switchOn();
        runUntilStopped(60);
        EXPECT_EQ(label(), QString::fromUtf8(c.stopText)) << c.text;
        EXPECT_TRUE(labelShown()) << c.text;
        EXPECT_FALSE(shooting().tTime.isActive()) << c.text;
        c.box->setText(before);
        if (c.enable)
            c.enable->setChecked(false);
    }
    EXPECT_TRUE(messages.shown.empty());

    // Boxes of a limit that is switched off are not read.
    set(f.DSD, "нет");
    set(f.WBH, "нет");
    set(f.txtCaptureCount, "нет");
    camera->script().clearLog();
    switchOn();
    runUntilStopped(30);
    EXPECT_TRUE(running());
    EXPECT_EQ(pictures(), 1);
}

TEST_F(IntervalShootingTest, IntervalThatTurnsUnreadableDuringARunEndsItAfterThePicture) {
    load();
    switchOn();
    set(frame().txtInterval, "99999");
    dueTick();
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(label(), QStringLiteral("#1. Неверно указан интервал."));
    EXPECT_FALSE(running());
}

TEST_F(IntervalShootingTest, AFullCountEndsTheRunInsteadOfOverflowing) {
    load();
    switchOn();
    IntervalShootingProbe::setGrabCount(shooting(), std::numeric_limits<std::int32_t>::max() - 1);
    dueTick();
    EXPECT_EQ(shooting().grabCount(), std::numeric_limits<std::int32_t>::max());
    dueTick();
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(shooting().grabCount(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(label(), QStringLiteral("#2147483647. Счетчик снимков заполнен."));
    EXPECT_FALSE(running());
}

// With a flat battery half the shots fail: the count, the count limit and the closing
// line all mean pictures stored, and a limited run goes on until it has them all.
TEST_F(IntervalShootingTest, OnlyStoredPicturesCountTowardsTheLimitAndTheLines) {
    load();
    frame().chkCaptureCount->setChecked(true);
    set(frame().txtCaptureCount, "3");
    switchOn();
    camera->script().failNext("TakePicture", 1001, 2, QStringLiteral("Батарея разряжена"));
    dueTick();
    dueTick();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(shooting().grabCount(), 0);
    secondPasses();
    EXPECT_TRUE(label().startsWith(QStringLiteral("#0, "))) << label().toStdString();
    dueTick();
    dueTick();
    EXPECT_TRUE(running());
    dueTick();
    EXPECT_FALSE(running());
    EXPECT_EQ(label(), QStringLiteral("Снято 3 снимков."));
    EXPECT_EQ(pictures(), 5) << "two failed attempts and three pictures";
}

TEST_F(IntervalShootingTest, ACameraThatNeverComesBackDoesNotEndACountLimitedRun) {
    load();
    frame().chkCaptureCount->setChecked(true);
    set(frame().txtCaptureCount, "2");
    switchOn();
    camera->script().failNext("TakePicture", 1001, 1000);
    for (int i = 0; i < 10; ++i)
        dueTick();
    EXPECT_TRUE(running());
    EXPECT_EQ(shooting().grabCount(), 0);
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
    EXPECT_EQ(label(), QStringLiteral("#1, cледующий снимок - через 00:00:29"));
    secondsPass(29);
    EXPECT_EQ(pictures(), 2) << "one interval after the last picture, not an hour later";

    clock.setWallClock(clock.now().addSecs(3600)); // and forward again
    secondPasses();
    EXPECT_EQ(pictures(), 2) << "no extra picture for the jump";
    EXPECT_EQ(label(), QStringLiteral("#2, cледующий снимок - через 00:00:29"));
    secondsPass(29);
    EXPECT_EQ(pictures(), 3);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(IntervalShootingTest, TheStopMomentFollowsTheWallClock) {
    load();
    frame().chkTimeToStop->setChecked(true);
    set(frame().DSD, "06");
    set(frame().TSH, "09"); // 09:05:03 today
    switchOn();
    dueTick();
    EXPECT_EQ(pictures(), 1);
    clock.setWallClock(QDateTime(QDate(2026, 12, 6), QTime(10, 0, 0)));
    secondsPass(30);
    EXPECT_FALSE(running());
    EXPECT_EQ(label(), QStringLiteral("#1. Время вышло."));
}
