#pragma once

#include <QLocale>

namespace snapdeck {

class CameraControl;
class Clock;
class MessagePresenter;
class WorkFolder;

// What the window needs from outside: the camera, the message boxes, the clock, the
// folder for its files and the locale for dates in file names. Tests replace each.
struct Services {
    CameraControl& camera;
    MessagePresenter& messages;
    const Clock& clock;
    const WorkFolder& folder;
    QLocale locale;
};

} // namespace snapdeck
