#include "RecordingObserver.h"

namespace snapdeck::test {

void RecordingObserver::stateChanged(const EngineState& changed) {
    if (changed.captureStatus != state.captureStatus)
        captureStatuses.append(changed.captureStatus);
    state = changed;
    ++states;
}

} // namespace snapdeck::test
