#include "app/ConnectionMonitor.h"
#include "capture/Capture.h"
#include "support/WindowFixture.h"

#include <QProgressBar>

using namespace snapdeck;

namespace {

class BatteryMonitorTest : public test::WindowFixture {
protected:
    QProgressBar* bar() { return find<QProgressBar>("progressBat"); }
    void tick() { window->connectionMonitor().tBat_Timer(); }
    QString shown() { return bar()->text(); }
};

} // namespace

TEST_F(BatteryMonitorTest, ShowsTheCamerasLevelEverySecond) {
    load();
    camera->setBatteryLevel(57);
    tick();
    EXPECT_EQ(shown(), QStringLiteral("57%"));
    EXPECT_EQ(cameraLog({"GetBatteryStatus"}), QStringList{"GetBatteryStatus(0)"});
    EXPECT_TRUE(window->connectionMonitor().tBat.isActive());
    EXPECT_EQ(window->connectionMonitor().tBat.interval(), 1000);
}

TEST_F(BatteryMonitorTest, LevelsOutsideTheBarAreShownAtItsEndsWithoutAMessage) {
    load();
    camera->setBatteryLevel(0);
    tick();
    EXPECT_EQ(bar()->value(), bar()->minimum());
    camera->script().reportNext("GetBatteryStatus.level", 150);
    tick();
    EXPECT_EQ(shown(), QStringLiteral("100%"));
    camera->script().reportNext("GetBatteryStatus.level", -3);
    tick();
    EXPECT_EQ(bar()->value(), bar()->minimum());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BatteryMonitorTest, AnotherErrorIsShownOnceThenOnlyInTheBar) {
    load();
    camera->setBatteryLevel(80);
    tick();
    camera->script().failNext("GetBatteryStatus", 1001, 5);
    tick();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(shown(), QStringLiteral("80%")) << "the first tick keeps the bar";
    for (int i = 0; i < 4; ++i)
        tick();
    EXPECT_EQ(messages.shown.size(), 1u) << "not a box every second";
    EXPECT_EQ(shown(), QStringLiteral("ошибка 1001"));
    EXPECT_TRUE(cameraLog({"CloseCamera"}).isEmpty());

    camera->script().failNext("GetBatteryStatus", 1002, 2);
    tick();
    tick();
    EXPECT_EQ(messages.shown.size(), 2u) << "a different error is shown";

    tick(); // a good tick
    EXPECT_EQ(shown(), QStringLiteral("80%"));
    camera->script().failNext("GetBatteryStatus", 1002, 1);
    tick();
    EXPECT_EQ(messages.shown.size(), 3u) << "shown again after a good tick";
}

TEST_F(BatteryMonitorTest, ACameraThatDoesNotAnswerIsCheckedAndReadAgain) {
    load();
    camera->setBatteryLevel(64);
    camera->script().failNext("GetBatteryStatus", 26, 2);
    camera->script().failNext("CloseCamera", 26, 1);
    tick();
    EXPECT_EQ(messages.texts(), QStringList{"Камера не подключена!"});
    EXPECT_EQ(cameraLog({"GetBatteryStatus"}).size(), 3);
    EXPECT_EQ(cameraLog({"CloseCamera"}).size(), 2);
    EXPECT_EQ(shown(), QStringLiteral("64%"));
}

TEST_F(BatteryMonitorTest, TicksWhileItsMessageWaitsAreSkippedNotStacked) {
    load();
    camera->script().failNext("GetBatteryStatus", 26, 1);
    camera->script().failNext("CloseCamera", 26, 1);
    int readsDuringMessage = -1;
    messages.answer = [&](const Message&) {
        const int before = cameraLog({"GetBatteryStatus"}).size();
        tick(); // Qt's timer fires under the modal box
        tick();
        readsDuringMessage = cameraLog({"GetBatteryStatus"}).size() - before;
        return 0;
    };
    tick();
    EXPECT_EQ(readsDuringMessage, 0);
    EXPECT_EQ(messages.shown.size(), 1u);
    messages.answer = nullptr;
    tick();
    EXPECT_EQ(cameraLog({"GetBatteryStatus"}).size(), 3) << "ticks work again afterwards";
}

TEST_F(BatteryMonitorTest, TicksWaitWhileACaptureWaitsForTheCamera) {
    load();
    camera->script().failNext("TakePicture", 26, 1);
    camera->script().failNext("CloseCamera", 26, 1);
    int readsDuringMessage = -1;
    messages.answer = [&](const Message&) {
        tick(); // the battery timer fires under the capture's message box
        readsDuringMessage = cameraLog({"GetBatteryStatus"}).size();
        return 0;
    };
    window->capture().CapturePicture();
    EXPECT_EQ(readsDuringMessage, 0);
    EXPECT_EQ(messages.shown.size(), 1u) << "no second box stacked on the first";
}

TEST_F(BatteryMonitorTest, StoppingTheWaitKeepsTheMonitorQuietUntilTheCameraAnswers) {
    load();
    camera->setBatteryLevel(70);
    camera->setUnplugged(true);
    messages.answer = [](const Message&) { return 1; }; // "Прекратить попытки"
    tick();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(shown(), QStringLiteral("нет связи"));
    for (int i = 0; i < 5; ++i)
        tick();
    EXPECT_EQ(messages.shown.size(), 1u) << "no message every second";
    EXPECT_TRUE(window->connectionMonitor().batteryUnknown());

    camera->setUnplugged(false);
    tick();
    EXPECT_EQ(shown(), QStringLiteral("70%"));
    EXPECT_FALSE(window->connectionMonitor().batteryUnknown());

    camera->setUnplugged(true);
    messages.answer = [](const Message&) { return 1; };
    tick();
    EXPECT_EQ(messages.shown.size(), 2u) << "a new loss of the camera is reported again";
}
