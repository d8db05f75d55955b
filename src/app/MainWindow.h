#pragma once

#include "WindowState.h"

#include <QMainWindow>
#include <memory>

class QPushButton;

namespace snapdeck {

class CameraSettings;
class CameraSettingsFrame;
class CameraStatusFrame;
class Capture;
class CaptureOptionsFrame;
class ConnectionMonitor;
class FtpFrame;
class FtpUpload;
class IntervalShooting;
class LensControl;
class LensFrame;
class PictureBox;
class Preview;
class ScheduleFrame;
struct Globals;
struct Services;

// The main window "Snapdeck- СнапДек": the two picture boxes, the preview and capture
// buttons and one frame per subsystem. load() finds and opens the camera and gives
// every frame its starting state; closing the window switches the camera's monitor off
// and closes the camera.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Services& services, Globals& globals, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs before the window is first shown.
    void Form_Load();
    // Runs when the window closes.
    void Form_Unload();
    // "Настройки FTP": the FTP settings window, modal; returns once it has closed.
    void Command1_Click();

    WindowState& state() { return state_; }
    Preview& preview() { return *preview_; }
    Capture& capture() { return *capture_; }
    CameraSettings& cameraSettings() { return *settings_; }
    ConnectionMonitor& connectionMonitor() { return *monitor_; }
    FtpUpload& ftpUpload() { return *upload_; }
    LensControl& lensControl() { return *lens_; }
    IntervalShooting& intervalShooting() { return *interval_; }

    PictureBox* Image1;
    PictureBox* Image2;
    QPushButton* cmdPreview;
    QPushButton* cmdCapture;
    CaptureOptionsFrame* captureFrame;
    CameraSettingsFrame* settingsFrame;
    LensFrame* lensFrame;
    CameraStatusFrame* statusFrame;
    ScheduleFrame* scheduleFrame;
    FtpFrame* ftpFrame;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void fillSettingLists();
    bool openCamera();

    Services& services_;
    Globals& globals_;
    WindowState state_;
    std::unique_ptr<ConnectionMonitor> monitor_;
    std::unique_ptr<Preview> preview_;
    std::unique_ptr<Capture> capture_;
    std::unique_ptr<FtpUpload> upload_;
    std::unique_ptr<CameraSettings> settings_;
    std::unique_ptr<LensControl> lens_;
    std::unique_ptr<IntervalShooting> interval_;
    bool unloaded_ = false;
    bool endingAtOnce_ = false; // no camera: the program ends as soon as the user has read why
};

// The message shown when no camera is found.
QString cameraNotFoundText();

} // namespace snapdeck
