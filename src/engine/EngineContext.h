#pragma once

#include "EngineObserver.h"
#include "EngineState.h"
#include "SilentObserver.h"
#include "camera/CameraSettings.h"
#include "common/WorkFolder.h"

#include <QLocale>
#include <functional>
#include <optional>

namespace snapdeck {

class Camera;
class Clock;
class MessagePresenter;

// What the engine needs from outside: the camera, the questions to the user, the clock,
// the folder for its files and the locale for dates in file names. Tests replace each.
struct EngineServices {
    Camera& camera;
    MessagePresenter& messages;
    const Clock& clock;
    WorkFolder folder;
    QLocale locale;
};

// What the engine's parts share: the services, the state every face shows, and the
// working values that no face shows.
class EngineContext {
public:
    explicit EngineContext(EngineServices services) : services(std::move(services)) {}

    EngineServices services;
    SilentObserver silent;
    EngineObserver* observer = &silent; // never null: a silent one until a face listens
    EngineState state;

    // True from the start of start-up until the setting lists are filled: previews are
    // skipped and the exposure read-back stops short.
    bool loading = false;
    // While set, previews asked for are left to the one the caller takes at its end.
    bool previewsDeferred = false;
    // False for a face with no picture box to show them in (the station).
    bool previewsWanted = true;
    // Exposure mode, aperture and shutter as last exchanged with the camera; every
    // capture sends it before the shot.
    Exposure exposure;
    // Guards the exposure read-back against the list changes it makes itself.
    bool exposureBusy = false;
    // The user stopped waiting for a camera that does not answer; cleared when start-up
    // finds it again.
    bool cameraLost = false;
    // Pictures on the card at the last read-back; -1 before the first.
    int knownPictureCount = -1;
    // True while further commands wait to run (set by the host).
    std::function<bool()> commandsWaiting;

    // Tells the faces about the state, when it changed since they last heard.
    void publish() {
        if (published_ && *published_ == state)
            return;
        published_ = state;
        observer->stateChanged(state);
    }

private:
    std::optional<EngineState> published_;
};

} // namespace snapdeck
