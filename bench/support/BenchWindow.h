#pragma once

#include "app/Globals.h"
#include "app/MainWindow.h"
#include "app/Services.h"
#include "common/Clock.h"
#include "common/Messages.h"
#include "common/WorkFolder.h"

#include <QStringList>
#include <memory>

namespace snapdeck::bench {

// Message boxes answer themselves with their first button; their texts are kept, since
// a benchmark that met a message box measured something else than it meant to.
class AnsweringMessages : public MessagePresenter {
public:
    int show(const Message& message) override {
        texts << message.text;
        return 0;
    }
    QStringList texts;
};

// The program's real main window on the camera a benchmark supplies, writing its files
// into "folder", shown at the size of a 1280x800 screen so that it paints as it does
// for a user (under QT_QPA_PLATFORM=offscreen, without a display).
class BenchWindow {
public:
    BenchWindow(CameraControl& camera, const QString& folder);
    ~BenchWindow();

    // Form_Load, show, and the first paint.
    void loadAndShow();
    // Stops the once-a-second battery tick, so that it does not land inside a timing.
    void stopBatteryTick();
    // Picks the image size in the window's list, as a user does.
    void chooseImageSize(int code);
    // Runs the paints and other events that are due.
    static void settle();

    MainWindow& window() { return *window_; }
    Globals& globals() { return globals_; }
    AnsweringMessages& messages() { return messages_; }

private:
    SystemClock clock_;
    WorkFolder folder_;
    AnsweringMessages messages_;
    Globals globals_;
    Services services_;
    std::unique_ptr<MainWindow> window_;
};

// Makes Qt run headless unless the caller chose a platform.
void useOffscreenPlatformByDefault();

} // namespace snapdeck::bench
