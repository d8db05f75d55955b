#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;

namespace snapdeck {

class CameraStatusFrame;
class CaptureOptionsFrame;
class ConnectionMonitor;
class LensFrame;
class PictureBox;
struct Globals;
struct Services;
struct WindowState;

// The controls a capture reads and writes, all on the main window.
struct CaptureControls {
    CaptureOptionsFrame& options; // its status line is painted at once when it changes
    PictureBox& Image1;
    QCheckBox& chkFTP;
    CameraStatusFrame& status;
    QComboBox& combReso;
    LensFrame& lens;
};

// Capture: one full picture from the camera into a file in the working folder, shown
// in the large picture box, removed from the card when it is not to stay there, handed
// to the upload, and the camera's counters read back.
class Capture {
public:
    Capture(Services& services, Globals& globals, WindowState& state, CaptureControls controls,
            ConnectionMonitor& monitor);

    // One capture, start to finish. A step that fails because the camera does not
    // answer is repeated after a connection check; any other error ends the capture
    // with the error message box. Never passes an error on. True when a picture was
    // stored on disk.
    bool CapturePicture();

    // Reads the picture counters, the image size and the lens positions back into the
    // window. Reports its own errors.
    void RefreshCameraState();

    // Where a stored picture goes when "chkFTP" is ticked.
    void setUploader(std::function<void(const QString& fileName)> upload) {
        upload_ = std::move(upload);
    }

    bool isCapturing() const { return capturing_; }

private:
    template <typename Step> auto retrying(Step&& step);
    void runCapture();
    void takePictureOnce(std::int32_t& cam);
    void storePicture(std::int32_t& cam, std::int32_t pictureCount);
    QString pictureFileName() const;
    void showStatus(const QString& text);
    void hideStatus();

    Services& services_;
    Globals& globals_;
    WindowState& state_;
    CaptureControls controls_;
    ConnectionMonitor& monitor_;
    std::function<void(const QString&)> upload_;
    bool capturing_ = false;
    bool stored_ = false; // this capture wrote its picture to disk
};

} // namespace snapdeck
