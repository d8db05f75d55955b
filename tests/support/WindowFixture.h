#pragma once

#include "RecordingMessages.h"
#include "app/Globals.h"
#include "app/MainWindow.h"
#include "app/Services.h"
#include "camera/SimulatedCamera.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace snapdeck::test {

// The whole file, or nothing when it cannot be read.
QByteArray readFile(const QString& path);

// The real main window on a simulated camera, with a stopped clock, a temporary working
// folder, Russian dates and message boxes that answer themselves.
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
    QString filePath(const QString& name) const { return folder->path(name); }
    QStringList filesInFolder() const;
    QStringList cameraLog(const QStringList& operations) const {
        return camera->script().logOf(operations);
    }

    SimulatedCameraConfig cameraConfig;
    QTemporaryDir dir;
    std::optional<WorkFolder> folder;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3))};
    RecordingMessages messages;
    std::unique_ptr<SimulatedCamera> camera;
    Globals globals;
    std::optional<Services> services;
    std::unique_ptr<MainWindow> window;
    std::vector<int> programEnds; // exit codes passed to endProgramNow
};

} // namespace snapdeck::test
