#pragma once

#include "SoakFigures.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace snapdeck::soak {

struct SoakOptions {
    int shots = 10000;
    std::uint64_t seed = 1;
    // Memory is measured from the end of the warm-up: the first shots fill the caches
    // of the image plugins, the network library and the fonts.
    int warmupShots = 1000;
    int memorySamples = 10; // resident memory is sampled this many times after warm-up
    int hangSeconds = 120;  // a round that takes longer ends the process as hung
    // "Отправлять в фоне": the pictures go into the durable queue, whose worker sends
    // them on its own thread in real time, and the server is also down for long
    // stretches. At the end the server is back and the queue drains, for at most
    // "drainSeconds" of real time.
    bool backgroundQueue = false;
    int drainSeconds = 330;
    std::function<void(const QString&)> progress; // a line now and then
};

// Runs the station until its interval run has stored "shots" pictures, with the faults
// of the seed (then, with the queue, until it has drained). False, with the reason, when the
// station could not be set up.
bool runSoak(const SoakOptions& options, SoakFigures& figures, QString* failure);

} // namespace snapdeck::soak
