#pragma once

#include "camera/Camera.h"

namespace snapdeck {

class EngineContext;

// Moves the transfer bar of the state while a picture is copied: its maximum is the
// picture's byte count, its value the bytes so far. A picture of no bytes leaves the
// bar as it is.
TransferProgress transferProgressInto(EngineContext& context);

// Marks a capture or preview as under way for its lifetime, so that the faces disable
// "Захват" and "Просмотр"; publishes the state at both ends.
class BusyWhile {
public:
    explicit BusyWhile(EngineContext& context);
    ~BusyWhile();
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    EngineContext& context_;
    bool wasBusy_;
};

} // namespace snapdeck
