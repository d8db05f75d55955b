#include "app/ConnectionMonitor.h"
#include "schedule/IntervalShooting.h"
#include "support/WindowFixture.h"

using namespace snapdeck;

namespace {
using ShutdownTest = test::WindowFixture;
}

TEST_F(ShutdownTest, ClosingSwitchesTheMonitorOffThenClosesTheCamera) {
    load();
    window->show();
    window->close();
    EXPECT_EQ(camera->script().log(), (QStringList{"SetMonitorMode(0, 1)", "CloseCamera(0)"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ShutdownTest, AFailureAtCloseIsReportedAndTheWindowClosesAnyway) {
    load();
    window->show();
    camera->script().failNext("SetMonitorMode", 26);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("\r\n26")));
    EXPECT_TRUE(cameraLog({"CloseCamera"}).isEmpty()) << "the rest of the unload is skipped";
}

TEST_F(ShutdownTest, NoTimerTicksUnderTheBoxOfAFailedClose) {
    load();
    window->show();
    window->intervalShooting().tTime.start(1000);
    bool ticking = true;
    messages.answer = [&](const Message&) {
        ticking = window->connectionMonitor().tBat.isActive() ||
                  window->intervalShooting().tTime.isActive();
        return 0;
    };
    camera->script().failNext("SetMonitorMode", 26);
    window->close();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(ticking);
}
