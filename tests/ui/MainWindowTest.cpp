#include "engine/ObserverOnThread.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <optional>

using namespace snapdeck;

namespace {

class MainWindowTest : public test::WindowFixture {
protected:
    // The window as the program runs it: the engine on a thread of its own, telling the
    // window through the window's event queue. Returns once start-up is done and shown.
    void loadWithEngineThread() {
        simulated = std::make_unique<SimulatedCamera>(cameraConfig);
        camera = std::make_unique<test::ScriptedCamera>(*simulated);
        host = std::make_unique<EngineHost>(
            std::make_unique<Engine>(EngineServices{*camera, messages, clock, *folder,
                                                    QLocale(QLocale::Russian, QLocale::Russia)},
                                     ftp),
            EngineHost::Threading::OwnThread);
        window = std::make_unique<MainWindow>(*host, messages, ftp, *folder);
        onWindowThread.emplace(*window, window.get());
        host->post([this](Engine& e) { e.setObserver(*onWindowThread); });
        window->show();
        window->load();
        waitForEngine();
    }
    // Waits (10 s at most) until the engine has run every command given so far and the
    // window has heard what it told.
    void waitForEngine() {
        bool done = false;
        host->whenDone(window.get(), [&done] { done = true; });
        QElapsedTimer waited;
        waited.start();
        while (!done && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        ASSERT_TRUE(done) << "the engine still works after 10 s";
        QCoreApplication::processEvents();
    }
    // The camera's calls, read on the engine's thread, which makes them.
    QStringList engineThreadLog(const QStringList& operations) {
        QStringList log;
        host->post([&](Engine&) { log = camera->script().logOf(operations); });
        waitForEngine();
        return log;
    }
    void clearEngineThreadLog() {
        host->post([this](Engine&) { camera->script().clearLog(); });
        waitForEngine();
    }
    void TearDown() override {
        // The engine's thread ends first: it talks to the window until then.
        host.reset();
        WindowFixture::TearDown();
    }
    // Whether "Захват" and "Просмотр" can be pressed, as "capture preview" with a
    // "-" for each that cannot.
    QString buttons() const {
        const auto state = [this](const char* name, const char* caption) {
            return QString::fromUtf8(find<QPushButton>(name)->isEnabled() ? caption : "-");
        };
        return state("captureButton", "capture") + u' ' + state("previewButton", "preview");
    }

    std::optional<ObserverOnThread> onWindowThread; // outlives the engine's thread
};

} // namespace

// "Захват" and "Просмотр" go grey at the click, before the engine's thread has even
// started the work, and stay so until it is done: a second click queues nothing.
TEST_F(MainWindowTest, ASecondClickWhileTheEngineWorksQueuesNoSecondCapture) {
    ASSERT_NO_FATAL_FAILURE(loadWithEngineThread());
    ASSERT_EQ(buttons(), QStringLiteral("capture preview"));
    auto* capture = find<QPushButton>("captureButton");
    auto* preview = find<QPushButton>("previewButton");
    ASSERT_NO_FATAL_FAILURE(clearEngineThreadLog());

    QTest::mouseClick(capture, Qt::LeftButton);
    EXPECT_EQ(buttons(), QStringLiteral("- -")) << "grey at once";
    QTest::mouseClick(capture, Qt::LeftButton);
    QTest::mouseClick(preview, Qt::LeftButton);
    capture->click();
    ASSERT_NO_FATAL_FAILURE(waitForEngine());

    EXPECT_EQ(buttons(), QStringLiteral("capture preview")) << "free again once it is done";
    EXPECT_EQ(engineThreadLog({"takePicture"}).size(), 1);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

// While the camera takes a picture or a preview, whoever asked for it (the user or the
// engine itself, as interval shooting does), both buttons are grey.
TEST_F(MainWindowTest, TheButtonsAreGreyWhileACaptureOrPreviewRuns) {
    load();
    QStringList during;
    camera->afterCall = [&](const QString& operation) {
        if (operation == u"takePicture" || operation == u"takePreview")
            during.append(operation + QStringLiteral(": ") + buttons());
    };
    find<QPushButton>("previewButton")->click();
    EXPECT_EQ(buttons(), QStringLiteral("capture preview"));
    find<QPushButton>("captureButton")->click();
    EXPECT_EQ(buttons(), QStringLiteral("capture preview"));
    engine().capture();
    EXPECT_EQ(buttons(), QStringLiteral("capture preview"));
    camera->afterCall = nullptr;

    ASSERT_FALSE(during.isEmpty());
    for (const QString& moment : during)
        EXPECT_TRUE(moment.endsWith(QStringLiteral(": - -"))) << moment.toStdString();
    EXPECT_TRUE(during.contains(QStringLiteral("takePreview: - -")));
    EXPECT_EQ(during.count(QStringLiteral("takePicture: - -")), 2);
}

// The window shows what the engine holds, and showing it is no choice of the user's:
// no command goes back, so the camera hears each setting once.
TEST_F(MainWindowTest, ListsSlidersAndBoxesFollowTheEngineWithoutSendingCommandsBack) {
    load(/*keepLog=*/true);
    const std::pair<SettingList, const char*> lists[] = {
        {SettingList::ImageSize, "imageSizeList"},
        {SettingList::ExposureMode, "exposureModeList"},
        {SettingList::WhiteBalance, "whiteBalanceList"},
        {SettingList::Flash, "flashList"},
        {SettingList::Shutter, "shutterList"},
        {SettingList::Aperture, "apertureList"},
        {SettingList::Iso, "isoList"},
        {SettingList::Monitor, "monitorList"},
        {SettingList::FocusMode, "focusModeList"}};
    for (const auto& [which, name] : lists) {
        auto* list = find<QComboBox>(name);
        ASSERT_NE(list, nullptr);
        EXPECT_GT(list->count(), 1) << name;
        EXPECT_EQ(list->currentIndex(), engine().state().list(which).selected) << name;
        EXPECT_EQ(list->isEnabled(), engine().state().list(which).enabled) << name;
    }
    // Filling a list is no choice of the first entry: the shutter stays at start-up's 1/30.
    EXPECT_EQ(find<QComboBox>("shutterList")->currentText(), QStringLiteral("1/30"));
    for (const QString& setter : {QStringLiteral("setImageSize"), QStringLiteral("setWhiteBalance"),
                                  QStringLiteral("setIsoSpeed"), QStringLiteral("setFlashMode"),
                                  QStringLiteral("setFocusMode"), QStringLiteral("setMonitorMode")})
        EXPECT_EQ(cameraLog({setter}).size(), 1) << setter.toStdString() << " at start-up";

    // A list changed by the engine.
    camera->script().clearLog();
    engine().chooseSetting(SettingList::WhiteBalance, 2);
    EXPECT_EQ(find<QComboBox>("whiteBalanceList")->currentIndex(), 2);
    EXPECT_EQ(cameraLog({"setWhiteBalance"}).size(), 1);

    // The zoom moved with the keyboard, and the lens stopping elsewhere: the slider goes
    // where the lens is and does not send that position back.
    auto* zoom = find<QSlider>("zoomSlider");
    const int start = zoom->value();
    camera->script().clearLog();
    camera->script().reportNext("zoom", start + 10);
    QTest::keyClick(zoom, Qt::Key_Right);
    EXPECT_EQ(zoom->value(), start + 10);
    EXPECT_EQ(find<QLabel>("zoomCaption")->text(),
              QStringLiteral("&Увеличение - %1/240").arg(start + 10));
    EXPECT_EQ(cameraLog({"setZoom"}), QStringList{QStringLiteral("setZoom(%1)").arg(start + 8)});

    // The capture options and the upload switch, as the engine sets them.
    engine().setBufferMode(false);
    EXPECT_FALSE(find<QCheckBox>("bufferModeBox")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("keepOnCardBox")->isEnabled());
    engine().setKeepOnCard(true);
    EXPECT_TRUE(find<QCheckBox>("keepOnCardBox")->isChecked());
    engine().setBufferMode(true);
    EXPECT_FALSE(find<QCheckBox>("keepOnCardBox")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("keepOnCardBox")->isEnabled());
    engine().setUploadEnabled(true);
    EXPECT_TRUE(find<QCheckBox>("uploadBox")->isChecked());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

// Closing the window ends the camera's session first: its screen off, then closed. The
// window goes once the engine's thread has done that, and a second close asks nothing
// more of the camera.
TEST_F(MainWindowTest, ClosingSwitchesTheCameraScreenOffClosesItAndThenTheWindowGoes) {
    ASSERT_NO_FATAL_FAILURE(loadWithEngineThread());
    ASSERT_NO_FATAL_FAILURE(clearEngineThreadLog());
    window->close();
    window->close();
    ASSERT_NO_FATAL_FAILURE(waitForEngine());
    EXPECT_FALSE(window->isVisible()) << "the window went by itself";
    EXPECT_EQ(engineThreadLog({"setMonitorMode", "close", "takePreview", "takePicture"}),
              (QStringList{"setMonitorMode(1)", "close()"}));
}

// With the engine on the window's thread the camera is closed before close() returns.
TEST_F(MainWindowTest, ClosingWithTheEngineOnTheWindowsThreadClosesAtOnce) {
    load();
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(cameraLog({"setMonitorMode", "close"}),
              (QStringList{"setMonitorMode(1)", "close()"}));
}

// A drag is one change, sent when the thumb is let go: each change moves the lens and
// takes a preview.
TEST_F(MainWindowTest, ADragMovesTheLensOnceWhenTheThumbIsLetGo) {
    load();
    auto* slider = find<QSlider>("zoomSlider");
    ASSERT_NE(slider, nullptr);
    slider->setSliderDown(true);
    for (const int position : {104, 128, 152, 176})
        slider->setSliderPosition(position);
    EXPECT_TRUE(cameraLog({"setZoom"}).isEmpty()) << "nothing while the thumb is held";
    slider->setSliderDown(false);
    EXPECT_EQ(cameraLog({"setZoom"}), QStringList{"setZoom(176)"});
    EXPECT_EQ(cameraLog({"takePreview"}).size(), 1);
    EXPECT_EQ(engine().state().zoom.caption, QStringLiteral("Увеличение - 176/240"));
}
