#pragma once

#include "RecordingMessages.h"
#include "RecordingObserver.h"
#include "ScriptedCamera.h"
#include "camera/simulator/SimulatedCamera.h"
#include "common/Clock.h"
#include "common/WorkFolder.h"
#include "engine/Engine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace snapdeck::test {

// The whole file, or nothing when it cannot be read.
QByteArray readFile(const QString& path);

// The engine on the test's thread, with the simulated camera behind a ScriptedCamera, a
// clock that stands still until moved, a temporary working folder, Russian dates,
// message boxes that answer themselves and an observer that keeps what it hears.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the engine (camera from cameraConfig) without loading it.
    Engine& create();
    // Builds and loads the engine, then forgets the start-up's calls and messages.
    Engine& load(bool keepLog = false);

    QString filePath(const QString& name) const { return folder->path(name); }
    QStringList filesInFolder() const;
    QStringList cameraLog(const QStringList& operations) const {
        return camera->script().logOf(operations);
    }
    CameraScript& script() { return camera->script(); }
    const EngineState& state() const { return observer.state; }
    // Picture n as the camera holds it.
    QByteArray cardPicture(int number) { return simulated->downloadPicture(number, {}); }

    SimulatedCameraConfig cameraConfig;
    QTemporaryDir dir;
    std::optional<WorkFolder> folder;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3))};
    QLocale locale{QLocale::Russian, QLocale::Russia};
    RecordingMessages messages;
    RecordingObserver observer;
    std::unique_ptr<SimulatedCamera> simulated;
    std::unique_ptr<ScriptedCamera> camera;
    std::unique_ptr<Engine> engine;
    std::vector<int> programEnds; // exit codes passed to endProgramNow
};

} // namespace snapdeck::test
