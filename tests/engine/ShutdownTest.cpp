#include "support/EngineFixture.h"

using namespace snapdeck;

namespace {
using ShutdownTest = test::EngineFixture;
}

TEST_F(ShutdownTest, SwitchesTheCamerasScreenOffThenClosesTheCameraOnce) {
    load();
    engine->unload();
    EXPECT_EQ(script().log(), (QStringList{"setMonitorMode(1)", "close()"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(engine->batteryTimerActive());
    engine->unload(); // the window's close and the program's end both ask for it
    EXPECT_EQ(script().log().size(), 2);
}

TEST_F(ShutdownTest, AFailureAtCloseIsReportedAndTheRestIsSkipped) {
    load();
    script().failNext("setMonitorMode", 26);
    engine->unload();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 26);
    EXPECT_TRUE(cameraLog({"close"}).isEmpty()) << "the rest of the unload is skipped";
}

TEST_F(ShutdownTest, NoTimerTicksUnderTheBoxOfAFailedClose) {
    load();
    engine->setIntervalShooting(true);
    ASSERT_TRUE(engine->intervalTimerActive());
    bool ticking = true;
    messages.answer = [&](const Message&) {
        ticking = engine->batteryTimerActive() || engine->intervalTimerActive();
        return 0;
    };
    script().failNext("setMonitorMode", 26);
    engine->unload();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(ticking);
}
