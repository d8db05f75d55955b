#include "SoakRun.h"

#include "FaultPlan.h"
#include "SoakStation.h"
#include "Watchdog.h"
#include "support/ProcessMemory.h"

#include <QElapsedTimer>
#include <algorithm>

namespace snapdeck::soak {

using test::heapInUseKiB;
using test::peakResidentKiB;
using test::residentKiB;

bool runSoak(const SoakOptions& options, SoakFigures& figures, QString* failure) {
    QElapsedTimer wall;
    wall.start();
    figures.seed = options.seed;
    figures.shotsPlanned = options.shots;
    figures.warmupShots = std::min(options.warmupShots, options.shots);

    SoakStation station(options.shots, options.backgroundQueue);
    if (!station.setUp(failure))
        return false;
    FaultPlan plan(options.seed, options.backgroundQueue);
    Watchdog watchdog(options.hangSeconds);

    const int afterWarmup = options.shots - figures.warmupShots;
    const int sampleEvery = std::max(1, afterWarmup / std::max(1, options.memorySamples));
    int nextSample = figures.warmupShots;
    // Each round stores at most one picture; faults add rounds without one.
    const int roundLimit = options.shots * 4 + 1000;

    while (station.shots() < options.shots) {
        if (!station.shooting()) {
            figures.runEndedEarly = station.scheduleText();
            break;
        }
        if (station.round() >= roundLimit) {
            figures.runEndedEarly =
                QStringLiteral("%1 rounds without reaching the shots").arg(station.round());
            break;
        }
        station.runRound(plan.faultsFor(station.round() + 1));
        watchdog.beat(station.round());

        const int shots = station.shots();
        if (shots >= nextSample) {
            const qint64 rss = residentKiB();
            if (figures.rssSamples.empty()) {
                figures.rssAfterWarmupKiB = rss;
                figures.heapAfterWarmupKiB = heapInUseKiB();
            }
            figures.rssSamples.emplace_back(shots, rss);
            nextSample = shots + sampleEvery;
            if (options.progress)
                options.progress(
                    QStringLiteral("%1 shots, %2 rounds, %3 s, VmRSS %4 KiB, heap in use %5 KiB")
                        .arg(shots)
                        .arg(station.round())
                        .arg(wall.elapsed() / 1000)
                        .arg(rss)
                        .arg(heapInUseKiB()));
        }
    }
    figures.rssEndKiB = residentKiB();
    figures.heapEndKiB = heapInUseKiB();
    figures.rssPeakKiB = peakResidentKiB();
    int beats = station.round();
    station.finish(options.drainSeconds, [&] { watchdog.beat(++beats); });
    station.fill(figures);
    figures.wallSeconds = static_cast<double>(wall.elapsed()) / 1000.0;
    return true;
}

} // namespace snapdeck::soak
