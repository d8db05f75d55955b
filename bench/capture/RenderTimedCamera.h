#pragma once

#include "camera/simulator/SimulatedCamera.h"
#include "support/BenchStats.h"

#include <atomic>
#include <functional>

namespace snapdeck::bench {

// The simulated camera, with the time it spends taking each picture kept apart:
// rendering the scene and encoding the JPEG is work a real camera does on its own
// processor, so the benchmarks leave it out of the program's own figures. Its calls
// come on the engine's thread.
class RenderTimedCamera : public SimulatedCamera {
public:
    using SimulatedCamera::SimulatedCamera;

    void takePicture() override {
        const BenchClock::time_point start = BenchClock::now();
        SimulatedCamera::takePicture();
        lastShotMs = millisecondsSince(start);
        if (afterShot)
            afterShot();
    }

    std::atomic<double> lastShotMs{0};
    // Runs once the picture is on the card, before the program copies it.
    std::function<void()> afterShot;
};

} // namespace snapdeck::bench
