#pragma once

#include "DesktopNotifier.h"
#include "common/WorkFolder.h"
#include "engine/EngineObserver.h"
#include "engine/EngineState.h"
#include "engine/live/LuminanceHistogram.h"
#include "engine/upload/FtpSettings.h"

#include <QMainWindow>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

namespace snapdeck {

class CameraSettingsFrame;
class CameraStatusFrame;
class CaptureOptionsFrame;
class EngineHost;
class FtpFrame;
class FtpSettingsDialog;
class HistogramView;
class LensFrame;
class MessagePresenter;
class PictureBox;
class ScheduleFrame;

// The main window "Snapdeck- СнапДек": the two picture boxes, the preview and capture
// buttons and one frame per part of the program. It only shows the engine's state and
// hands the user's actions to the engine, so it repaints and answers while the camera
// or the server works.
class MainWindow : public QMainWindow, public EngineObserver {
    Q_OBJECT
public:
    // "ftp" is the FTP settings in use and "folder" where "ftp.ini" is kept; the settings
    // window saves both and hands the engine the new settings.
    MainWindow(EngineHost& engine, MessagePresenter& messages, FtpSettings ftp, WorkFolder folder,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up, in the engine.
    void load();
    // "Настройки FTP": the FTP settings window, modal; returns once it has closed.
    void openFtpSettings();
    // The window "Настройки FTP" over the settings in use, not yet shown.
    std::unique_ptr<FtpSettingsDialog> ftpSettingsDialog();

    void stateChanged(const EngineState& state) override;
    void pictureStored(const QString& path) override;
    void previewStored(const QString& path) override;
    void scheduleFilled(const ScheduleForm& form) override;
    void intervalRefused() override;
    void runEnded(const QString& reason) override;
    void liveFrame(const LiveFrame& frame) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout(MessagePresenter& messages);
    void addShortcuts();
    // Space that no control took: a capture. True when it was Space.
    bool spaceCaptures(QKeyEvent* event);
    // The buttons go grey at once when pressed and stay so until the engine has done
    // the work, so that a second click cannot queue a second capture.
    void startPictureWork(void (*command)(class Engine&));
    void updateButtons();
    void renderLiveView(const LiveViewState& live);
    void showHistogram(const LuminanceHistogram& histogram);

    EngineHost& engine_;
    MessagePresenter& messages_;
    FtpSettings ftp_;
    WorkFolder folder_;
    PictureBox* lastPictureBox_;
    PictureBox* previewBox_;
    HistogramView* histogramView_;
    QLabel* clippingLine_;
    QPushButton* previewButton_;
    QCheckBox* liveViewBox_;
    QPushButton* captureButton_;
    CaptureOptionsFrame* captureOptions_;
    CameraSettingsFrame* cameraSettings_;
    LensFrame* lens_;
    ScheduleFrame* schedule_;
    FtpFrame* ftpFrame_;
    CameraStatusFrame* cameraStatus_;
    DesktopNotifier notifier_;
    bool busy_ = false;           // the engine says a capture or preview runs
    bool liveViewOn_ = false;     // the engine streams live frames
    bool awaitingEngine_ = false; // a capture or preview asked for has not run yet
    bool closing_ = false;        // the engine is closing the camera
    bool unloaded_ = false;       // the camera is closed; the window may go
    bool inCloseEvent_ = false;
};

} // namespace snapdeck
