#include "support/EngineFixture.h"

#include <QTimer>
#include <algorithm>

using namespace snapdeck;

namespace {

class BatteryMonitorTest : public test::EngineFixture {
protected:
    void tick() { engine->pollBattery(); }
    const BatteryState& battery() const { return state().battery; }
    static BatteryState level(int percent) { return {BatteryState::Shown::Level, percent, 0}; }
    static BatteryState error(int number) { return {BatteryState::Shown::Error, 0, number}; }
    static BatteryState noConnection() { return {BatteryState::Shown::NoConnection, 0, 0}; }
};

} // namespace

TEST_F(BatteryMonitorTest, ShowsTheCamerasLevelEverySecond) {
    load();
    EXPECT_TRUE(engine->batteryTimerActive());
    const QList<QTimer*> timers = engine->findChildren<QTimer*>();
    const auto active = std::find_if(timers.begin(), timers.end(),
                                     [](const QTimer* timer) { return timer->isActive(); });
    ASSERT_NE(active, timers.end());
    EXPECT_EQ((*active)->interval(), 1000);

    simulated->setBatteryLevel(57);
    tick();
    EXPECT_EQ(battery(), level(57));
    EXPECT_EQ(cameraLog({"batteryPercent"}), QStringList{"batteryPercent()"});
}

TEST_F(BatteryMonitorTest, LevelsOutsideTheBarAreShownAtItsEndsWithoutAMessage) {
    load();
    simulated->setBatteryLevel(0);
    tick();
    EXPECT_EQ(battery(), level(0));
    script().reportNext("batteryPercent", 150);
    tick();
    EXPECT_EQ(battery(), level(100));
    script().reportNext("batteryPercent", -3);
    tick();
    EXPECT_EQ(battery(), level(0));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BatteryMonitorTest, AnotherErrorIsShownOnceThenOnlyInTheBar) {
    load();
    simulated->setBatteryLevel(80);
    tick();
    script().failNext("batteryPercent", 1001, 5);
    tick();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(battery(), level(80)) << "the first tick keeps the bar";
    for (int i = 0; i < 4; ++i)
        tick();
    EXPECT_EQ(messages.shown.size(), 1u) << "not a box every second";
    EXPECT_EQ(battery(), error(1001));
    EXPECT_TRUE(cameraLog({"close"}).isEmpty());

    script().failNext("batteryPercent", 1002, 2);
    tick();
    tick();
    EXPECT_EQ(messages.shown.size(), 2u) << "a different error is shown";

    tick(); // a good tick
    EXPECT_EQ(battery(), level(80));
    script().failNext("batteryPercent", 1002, 1);
    tick();
    EXPECT_EQ(messages.shown.size(), 3u) << "shown again after a good tick";
}

TEST_F(BatteryMonitorTest, ACameraThatDoesNotAnswerIsCheckedAndReadAgain) {
    load();
    simulated->setBatteryLevel(64);
    script().failNext("batteryPercent", 26, 2);
    script().failNext("close", 26, 1);
    tick();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(cameraLog({"batteryPercent"}).size(), 3);
    EXPECT_EQ(cameraLog({"close"}).size(), 2);
    EXPECT_EQ(battery(), level(64));
}

TEST_F(BatteryMonitorTest, StoppingTheWaitKeepsTheMonitorQuietUntilTheCameraAnswers) {
    load();
    simulated->setBatteryLevel(70);
    simulated->setUnplugged(true);
    messages.answer = [](const Message&) { return 1; }; // "Прекратить попытки"
    tick();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(battery(), noConnection());
    for (int i = 0; i < 5; ++i)
        tick();
    EXPECT_EQ(messages.shown.size(), 1u) << "no message every second";
    EXPECT_EQ(battery(), noConnection());

    simulated->setUnplugged(false);
    tick();
    EXPECT_EQ(battery(), level(70));

    simulated->setUnplugged(true);
    tick();
    EXPECT_EQ(messages.shown.size(), 2u) << "a new loss of the camera is reported again";
}
