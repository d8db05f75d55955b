#include "camera/simulator/SimulatedCamera.h"
#include "common/Clock.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/ObserverOnThread.h"
#include "engine/upload/FtpService.h"
#include "support/Painting.h"
#include "support/RecordingMessages.h"
#include "support/SilentServer.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

using namespace snapdeck;

namespace {

// A camera whose shot hangs until the test lets it go, as a camera that never reports
// the picture hangs until the capture's time limit.
class StallingCamera final : public SimulatedCamera {
public:
    void takePicture() override {
        {
            std::unique_lock lock(mutex_);
            stalled_ = true;
            released_.wait(lock, [this] { return letGo_; });
            stalled_ = false;
        }
        SimulatedCamera::takePicture();
    }
    bool stalled() {
        std::lock_guard lock(mutex_);
        return stalled_;
    }
    void letGo() {
        std::lock_guard lock(mutex_);
        letGo_ = true;
        released_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool stalled_ = false;
    bool letGo_ = false;
};

// Runs the window's event loop until "done" holds (or 10 s pass, a failure).
template <typename Condition> bool processUntil(Condition done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// The window with the engine on a thread of its own, as the program runs it.
class ResponsivenessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.open());
        ftp =
            FtpSettings{QStringLiteral("127.0.0.1"), server.port(), {}, {}, FtpOnlyService, {}, {}};
        host = std::make_unique<EngineHost>(
            std::make_unique<Engine>(
                EngineServices{camera, messages, clock, WorkFolder(dir.path()), QLocale()}, ftp),
            EngineHost::Threading::OwnThread);
        window = std::make_unique<MainWindow>(*host, messages, ftp, WorkFolder(dir.path()));
        observer = std::make_unique<ObserverOnThread>(*window, window.get());
        host->post([this](Engine& e) {
            e.setObserver(*observer);
            // A server that never answers is given up within a second or two.
            TransportOptions& limits = e.upload().transportOptions();
            limits.connectTimeout = std::chrono::milliseconds(500);
            limits.responseTimeout = std::chrono::seconds(1);
            limits.stallTimeout = std::chrono::seconds(1);
        });
        test::showExposed(*window);
        bool loaded = false;
        window->load();
        host->whenDone(window.get(), [&loaded] { loaded = true; });
        ASSERT_TRUE(processUntil([&] { return loaded; }));
    }
    void TearDown() override {
        camera.letGo();
        host.reset(); // the engine's thread ends before the window it talks to
        observer.reset();
        window.reset();
    }

    // While "busy" holds, the test's own timer keeps firing and the window repaints.
    void expectLiveWhile(const std::function<bool()>& busy) {
        int ticks = 0;
        int paints = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(10);
        test::PaintWatcher watcher;
        watcher.painted = [&] { ++paints; };
        QWidget* line = window->findChild<QWidget*>(QStringLiteral("nextShotLine"));
        line->installEventFilter(&watcher);
        processUntil([&] {
            line->update();
            return ticks >= 5 && paints >= 2;
        });
        line->removeEventFilter(&watcher);
        EXPECT_TRUE(busy()) << "the work ended before the window was watched";
        EXPECT_GE(ticks, 5) << "the window thread stopped processing events";
        EXPECT_GE(paints, 2) << "the window stopped repainting";
    }

    QTemporaryDir dir;
    StallingCamera camera;
    test::RecordingMessages messages;
    SystemClock clock;
    test::SilentServer server;
    FtpSettings ftp;
    std::unique_ptr<EngineHost> host;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ObserverOnThread> observer;
};

} // namespace

TEST_F(ResponsivenessTest, TheWindowAnswersWhileTheCameraStallsAndTheServerIsSilent) {
    auto* capture = window->findChild<QPushButton*>(QStringLiteral("captureButton"));
    auto* uploadLine = window->findChild<QLabel*>(QStringLiteral("uploadStatusLine"));
    window->findChild<QCheckBox*>(QStringLiteral("uploadBox"))->click();

    capture->click();
    ASSERT_TRUE(processUntil([&] { return camera.stalled(); }));
    expectLiveWhile([&] { return camera.stalled(); });
    EXPECT_FALSE(capture->isEnabled()) << "no second capture while one runs";

    camera.letGo();
    ASSERT_TRUE(processUntil([&] { return !uploadLine->isHidden(); }))
        << "the upload to the silent server starts";
    expectLiveWhile([&] { return !uploadLine->isHidden(); });

    ASSERT_TRUE(processUntil([&] { return messages.count() > 0 && capture->isEnabled(); }));
    EXPECT_TRUE(messages.texts().first().contains(QStringLiteral("не отвечает")))
        << messages.texts().join(u'|').toStdString();
}
