#pragma once

#include "engine/EngineObserver.h"
#include "engine/EngineState.h"
#include "engine/live/LiveFrame.h"
#include "engine/schedule/ScheduleForm.h"

#include <QStringList>
#include <optional>

namespace snapdeck::test {

// Keeps what the engine told: the newest state, every state's interval line and the
// events, in order.
class RecordingObserver final : public EngineObserver {
public:
    void stateChanged(const EngineState& state) override;
    void pictureStored(const QString& path) override { picturesStored.append(path); }
    void previewStored(const QString& path) override { previewsStored.append(path); }
    void scheduleFilled(const ScheduleForm& form) override { schedule = form; }
    void intervalRefused() override { ++intervalRefusals; }
    void runEnded(const QString& reason) override { runsEnded.append(reason); }
    void liveFrame(const LiveFrame& frame) override {
        ++liveFrames;
        lastLiveFrame = frame;
    }

    EngineState state;
    int states = 0;
    // Every capture status the state showed, in order, once each time it changed.
    QStringList captureStatuses;
    QStringList picturesStored;
    QStringList previewsStored;
    std::optional<ScheduleForm> schedule;
    int intervalRefusals = 0;
    QStringList runsEnded;
    int liveFrames = 0;
    LiveFrame lastLiveFrame;
};

} // namespace snapdeck::test
