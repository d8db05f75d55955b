#pragma once

#include "common/Clock.h"
#include "common/Messages.h"
#include "common/WorkFolder.h"
#include "engine/EngineHost.h"
#include "engine/upload/FtpSettings.h"
#include "support/BenchStats.h"

#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QPushButton;

namespace snapdeck {
class Camera;
class Engine;
class MainWindow;
class ObserverOnThread;
class PictureBox;
enum class ImageSize;
} // namespace snapdeck

namespace snapdeck::bench {

// Message boxes answer themselves at once, from whichever thread asks, with the button
// "answer" names (the first by default); their texts are kept, since a benchmark that
// met a message box measured something else than it meant to.
class AnsweringMessages : public MessagePresenter {
public:
    int show(const Message& message) override;
    QStringList texts() const;
    void clear();
    std::atomic<int> answer{0};

private:
    mutable std::mutex mutex_;
    QStringList texts_;
};

// Moments of one capture, in milliseconds since "Захват" was clicked.
struct CaptureMoments {
    double done = 0;    // the engine has run the capture and the buttons are enabled again
    double painted = 0; // the new picture is decoded and the picture box has painted it
    double end() const { return std::max(done, painted); }
};

// The program's real main window on the camera a benchmark supplies, writing its files
// into "folder", shown at the size of a 1280x800 screen so that it paints as it does for
// a user (under QT_QPA_PLATFORM=offscreen, without a display). As in main(), the engine
// runs on a thread of its own and its news reach the window through its event queue.
class BenchWindow {
public:
    BenchWindow(Camera& camera, const QString& folder, FtpSettings ftp = {});
    ~BenchWindow();

    // Shown, started up, and painted once start-up's pictures are shown.
    void loadAndShow();
    // Stops the once-a-second battery tick, so that it does not land inside a timing.
    void stopBatteryTick();
    // Picks the image size in the window's list, as a user does, and waits until the
    // engine has sent it.
    void chooseImageSize(ImageSize size);
    // Clicks "Захват" and returns once the capture is done and its picture painted (or
    // after "limitMs", with the moments still missing at 0 and a line on stderr).
    CaptureMoments capture(int limitMs = 120000);
    // Clicks "Захват" and returns at once.
    void clickCapture();
    bool captureEnabled() const;
    // Waits until every command given so far has run, the picture boxes show what they
    // were given, and the window has painted it.
    void waitUntilDone(int limitMs = 120000);
    // Runs the window's events until "done" holds; false after "limitMs".
    bool waitUntil(const std::function<bool()>& done, int limitMs = 120000);
    // Runs the paints and other events that are due.
    static void settle();

    MainWindow& window() { return *window_; }
    EngineHost& host() { return *host_; }
    AnsweringMessages& messages() { return messages_; }
    PictureBox& lastPictureBox() { return *lastPicture_; }
    QPushButton& captureButton() { return *captureButton_; }
    // Paints of the last picture box since the window was made.
    int lastPicturePaints() const;
    // Pictures the last picture box has shown since the window was made.
    int lastPicturesShown() const;

private:
    class PaintCounter;

    SystemClock clock_;
    WorkFolder folder_;
    AnsweringMessages messages_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<ObserverOnThread> observer_;
    std::unique_ptr<EngineHost> host_;
    PictureBox* lastPicture_ = nullptr;
    QPushButton* captureButton_ = nullptr;
    std::unique_ptr<PaintCounter> paints_;
    int picturesShown_ = 0;
    int paintsWhenShown_ = 0; // paints of the last picture box when it last showed a picture
};

// Makes Qt run headless unless the caller chose a platform.
void useOffscreenPlatformByDefault();

} // namespace snapdeck::bench
