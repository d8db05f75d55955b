#pragma once

#include "EngineContext.h"
#include "engine/capture/Capture.h"
#include "engine/capture/Preview.h"
#include "engine/lens/LensControl.h"
#include "engine/live/LiveView.h"
#include "engine/monitor/BatteryMonitor.h"
#include "engine/monitor/ConnectionMonitor.h"
#include "engine/queue/BackgroundUpload.h"
#include "engine/schedule/IntervalShooting.h"
#include "engine/session/CameraSession.h"
#include "engine/session/LackGatherer.h"
#include "engine/settings/SettingsControl.h"
#include "engine/upload/FtpUpload.h"

#include <QObject>
#include <QTimer>

namespace snapdeck {

// The program's whole behaviour, without widgets: the camera session, the settings and
// the exposure read-back, the lens, preview, capture, the connection and battery
// monitor, interval shooting and the upload. Faces give it commands (the methods below)
// and learn what happened through the EngineObserver and the state it hands out. It
// lives on one thread, its own in the program (EngineHost); each command runs to its
// end before the next, so a change made during a capture is applied after it.
class Engine : public QObject {
    Q_OBJECT
public:
    explicit Engine(EngineServices services, FtpSettings ftp = {});
    ~Engine() override;

    // The face that listens; given as the first command, before start-up.
    void setObserver(EngineObserver& observer);

    // Start-up, then the battery once a second. Shutdown stops both timers, switches the
    // camera's screen off and closes the camera.
    void load();
    void unload();

    // For a face that keeps its own time (the station): start-up without the preview,
    // the schedule's start values and the timers; true when the camera is open and its
    // lists are filled. Can be asked again once the camera was lost.
    bool connectCamera();
    // The user (or a face answering for one) stopped waiting for a camera that does not
    // answer; connectCamera() finds it again.
    bool cameraLost() const { return context_.cameraLost; }
    // Starts the upload queue without the window's start-up.
    void startUploads();
    // A face that shows no previews (the station) spares the camera the previews that
    // setting changes and lens moves take.
    void setPreviewsWanted(bool wanted) { context_.previewsWanted = wanted; }

    void takePreview();
    // "Живой просмотр": the camera's frames, one after another, until switched off, an
    // error or shutdown; captures pause it.
    void setLiveView(bool on);
    // A capture by the user; true when its picture was stored.
    bool capture();
    // A capture that names its picture and notes it on the card (the station's).
    bool capture(const CaptureRequest& request);
    // A picture an earlier capture left on the card: see Capture.
    Capture::CardStep copyFromCard(const QString& cardName, const QString& fileName);
    Capture::CardStep nameShotOnCard(int picturesBefore, QString& cardName);
    Capture::CardStep removeFromCard(const QString& cardName);
    void chooseSetting(SettingList list, int position);
    void moveZoom(int position);
    void moveFocus(int position);

    // The capture options: "Запись в буфер" ticked keeps pictures off the card, clearing
    // and locking "Сохранять на флэшке камеры"; unticking "Переписать пред. кадр на диске"
    // warns that every capture now takes new disk space.
    void setBufferMode(bool on);
    void setKeepOnCard(bool keep);
    void setOverwrite(bool overwrite);

    void setSchedule(const ScheduleForm& form);
    void setIntervalShooting(bool on);

    void setUploadEnabled(bool enabled);
    // "Отправлять в фоне": captures only queue their pictures, a worker sends them.
    void setBackgroundUpload(bool background);
    void setFtpSettings(const FtpSettings& settings);
    // Where queued pictures go when not to the FTP settings' server (the station's
    // destination), and the fixed name they are also published under.
    void setQueueDestination(const UploadDestination& destination, const QString& publishAs);

    // The timers' work, also for tests that move the clock themselves.
    void pollBattery();
    void intervalTick();
    void liveViewTick();

    // Set by the host: true while further commands wait, so that a preview a later
    // command will take anyway is left to it.
    void setCommandsWaiting(std::function<bool()> waiting) {
        context_.commandsWaiting = std::move(waiting);
    }
    // The host's queue is empty: a preview left to later commands is taken now.
    void idle();

    const EngineState& state() const { return context_.state; }
    QDateTime timeNextShot() const { return interval_.timeNextShot(); }
    int intervalCount() const { return interval_.storedCount(); }
    bool batteryTimerActive() const { return batteryTimer_.isActive(); }
    bool intervalTimerActive() const { return intervalTimer_.isActive(); }
    bool liveViewTimerActive() const { return live_.timerActive(); }
    FtpUpload& upload() { return upload_; }
    BackgroundUpload& backgroundUpload() { return background_; }

private:
    // Every capture, the user's, the schedule's or the station's, pauses live view.
    template <typename Take> bool captureWithLiveViewPaused(Take take);

    LackGatherer lacks_; // before the context, which shows its messages through it
    EngineContext context_;
    ConnectionMonitor monitor_;
    BatteryMonitor battery_;
    Preview preview_;
    SettingsControl settings_;
    LensControl lens_;
    Capture capture_;
    FtpUpload upload_;
    BackgroundUpload background_;
    IntervalShooting interval_;
    CameraSession session_;
    LiveView live_;
    std::optional<UploadDestination> queueDestination_;
    QString queuePublishAs_;
    QTimer batteryTimer_;
    QTimer intervalTimer_;
    bool unloaded_ = false;
};

} // namespace snapdeck
