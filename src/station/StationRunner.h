#pragma once

#include "StationConfig.h"
#include "StationPlan.h"
#include "StationState.h"
#include "engine/EngineObserver.h"
#include "engine/EngineState.h"
#include "engine/queue/Backoff.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace snapdeck {

class Clock;
class Engine;
class ServiceNotifier;
class StationLog;
class StationMessages;

// The station's rounds, on the engine's thread: each round feeds the service watchdog,
// finds the camera again when it was lost (backoff 1 s doubling to 60 s, settings
// applied afresh), copies pictures a fault left on the card, takes the picture a grid
// point asks for (named, noted on the card before copying, counted), keeps the disk's
// free space, deletes old uploaded pictures, and writes the status file. No question is
// ever asked; everything is a log line.
class StationRunner : public QObject, private EngineObserver {
    Q_OBJECT
public:
    StationRunner(const StationConfig& config, Engine& engine, const Clock& clock, StationLog& log,
                  StationMessages& messages, ServiceNotifier& notifier);
    ~StationRunner() override;

    // Reads the state file, applies the configuration and starts the plan and the
    // uploads; "timed": rounds come by the runner's own timer (tests run round() by hand).
    void start(bool timed = true);
    // One round; also what the timer runs.
    void round();
    // Ends the station after the round under way: the state saved, the queue stopped,
    // the camera closed. "finished" hears the exit status.
    void stop();

    bool ended() const { return ended_; }
    int exitStatus() const { return exitStatus_; }
    std::function<void(int status)> finished;

    const StationState& state() const { return state_; }
    qint64 missed() const { return plan_.missedSinceBegin(); }
    QString statePath() const;
    QString statusPath() const;

    // Free bytes on the pictures' disk, -1 when the system cannot tell; a test may say
    // otherwise.
    std::function<qint64()> freeBytes;

private:
    // EngineObserver: what the engine tells, for the log and the status file.
    void stateChanged(const EngineState& state) override;
    void pictureStored(const QString& path) override;
    void previewStored(const QString&) override {}
    void scheduleFilled(const ScheduleForm&) override {}
    void intervalRefused() override {}
    void runEnded(const QString&) override {}

    void removeLeftoverWrites();
    void findCamera();
    void applySettings();
    void copyLeftOnCard();
    void keepNoteIfStillOnCard(const QString& cardName, const QString& fileName);
    void lostWhileOnCard();
    void cameraWasLost();
    bool diskHasRoom();
    void shoot(const StationPlan::Due& due);
    void deleteOldPictures();
    void saveState();
    void writeStatus(bool always = false);
    void finish(int status, const QString& why);
    void scheduleNextRound();

    StationConfig config_;
    Engine& engine_;
    const Clock& clock_;
    StationLog& log_;
    StationMessages& messages_;
    ServiceNotifier& notifier_;
    StationPlan plan_;
    StationState state_;
    EngineState engineState_;
    QTimer timer_;
    bool timed_ = false;
    bool cameraReady_ = false;
    qint64 nextCameraTryMs_ = 0;
    // A camera that is not there is looked for again after 1 s, doubling up to a minute.
    Backoff cameraBackoff_{std::chrono::seconds(1), std::chrono::seconds(60)};
    bool diskLow_ = false;
    bool freeSpaceUnknownSaid_ = false;
    bool ended_ = false;
    int exitStatus_ = 0;
    qint64 taken_ = 0; // shots fired this run
    qint64 missedLogged_ = 0;
    qint64 lastCleanupMs_ = -1;
    QString lastPicture_;
    // The status as last written, without its time, and when: the file is written when
    // it says something new, else once a minute, sparing a small computer's SD card.
    QByteArray statusWritten_;
    qint64 statusWrittenMs_ = 0;
    QString cameraState_ = QStringLiteral("searching");
};

} // namespace snapdeck
