#pragma once

#include <QCoreApplication>
#include <QString>

namespace snapdeck {

class Capture;
class EngineContext;
class IntervalShooting;
class LackGatherer;
class Preview;
class SettingsControl;

// The camera's session with the program: start-up finds and opens the camera and gives
// every part its starting state; shutdown switches the camera's screen off and closes
// the camera.
class CameraSession {
    Q_DECLARE_TR_FUNCTIONS(CameraSession)

public:
    CameraSession(EngineContext& context, LackGatherer& lacks, SettingsControl& settings,
                  Capture& capture, Preview& preview, IntervalShooting& interval)
        : context_(context), lacks_(lacks), settings_(settings), capture_(capture),
          preview_(preview), interval_(interval) {}

    // Whose start-up: the window's ends with a preview and the schedule's start values,
    // and ends the program when no camera is found; the station's needs neither, and
    // when no camera is there it says so and looks again later.
    enum class StartUp { Window, Station };
    // Start-up. False when the program is to end at once (no camera was found); the
    // program's end has then been asked for.
    bool load(StartUp startUp = StartUp::Window);
    // The last start-up opened the camera and ran to its end.
    bool ready() const { return ready_; }
    void unload();

private:
    bool openCamera(StartUp startUp);

    EngineContext& context_;
    LackGatherer& lacks_;
    SettingsControl& settings_;
    Capture& capture_;
    Preview& preview_;
    IntervalShooting& interval_;
    bool ending_ = false;
    bool ready_ = false;
};

// The message shown when no camera is found.
QString cameraNotFoundText();

} // namespace snapdeck
