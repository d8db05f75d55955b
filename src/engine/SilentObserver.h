#pragma once

#include "EngineObserver.h"

namespace snapdeck {

// Hears everything and does nothing: the engine's observer until a face listens.
class SilentObserver final : public EngineObserver {
public:
    void stateChanged(const EngineState&) override {}
    void pictureStored(const QString&) override {}
    void previewStored(const QString&) override {}
    void scheduleFilled(const ScheduleForm&) override {}
    void intervalRefused() override {}
    void runEnded(const QString&) override {}
};

} // namespace snapdeck
