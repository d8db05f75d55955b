#pragma once

#include "RecordingMessages.h"
#include "ScriptedCamera.h"
#include "camera/simulator/SimulatedCamera.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "ui/MainWindow.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace snapdeck::test {

// The real main window over an engine that runs each command at once on the test's
// thread, with the simulated camera behind a ScriptedCamera, a stopped clock, a
// temporary working folder, Russian dates and message boxes that answer themselves.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window (camera from cameraConfig) without loading it.
    MainWindow& create();
    // Builds and loads the window, then forgets the start-up's calls and messages.
    MainWindow& load(bool keepLog = false);

    template <typename Widget> Widget* find(const char* name) const {
        Widget* widget = window->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    Engine& engine() { return host->engine(); }
    // Waits until the picture boxes show what they were given (they decode on a worker).
    void waitForPictures();
    QString filePath(const QString& name) const { return folder->path(name); }
    QStringList cameraLog(const QStringList& operations) const {
        return camera->script().logOf(operations);
    }

    SimulatedCameraConfig cameraConfig;
    QTemporaryDir dir;
    std::optional<WorkFolder> folder;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3))};
    RecordingMessages messages;
    FtpSettings ftp;
    std::unique_ptr<SimulatedCamera> simulated;
    std::unique_ptr<ScriptedCamera> camera;
    std::unique_ptr<EngineHost> host;
    std::unique_ptr<MainWindow> window;
    std::vector<int> programEnds; // exit codes passed to endProgramNow
};

} // namespace snapdeck::test
