// The simulated camera's camera.ini: any text gives properties in their ranges, and the
// lens snaps every requested zoom position onto a step of the configured size.
#include "FuzzText.h"
#include "camera/simulator/SimulatedCameraConfig.h"
#include "camera/simulator/SimulatedOptics.h"

#include <cstdio>
#include <cstdlib>

using namespace snapdeck;
using namespace snapdeck::simulated;

namespace {

[[noreturn]] void fail(const char* what, long long value) {
    std::fprintf(stderr, "%s: %lld\n", what, value);
    std::abort();
}

// The step position nearest to "position", the lower one of two equally near.
int nearestStep(int position, int step) {
    int best = kZoomWide;
    for (long long candidate = kZoomWide; candidate <= kZoomTele; candidate += step)
        if (std::llabs(position - candidate) < std::abs(position - best))
            best = static_cast<int>(candidate);
    return best;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string bytes = input.ConsumeRandomLengthString(512);
    const SimulatedCameraConfig config = SimulatedCameraConfig::fromText(
        QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (config.cameras < 0)
        fail("cameras", config.cameras);
    if (config.battery < 0 || config.battery > 100)
        fail("battery", config.battery);
    if (config.capacity < 0)
        fail("capacity", config.capacity);
    if (config.zoomStep < 1)
        fail("zoom step", config.zoomStep);
    if (config.model.isEmpty() || config.model.contains(u'\n'))
        fail("model", config.model.size());

    while (input.remaining_bytes() > 0) {
        const int requested = input.ConsumeIntegral<int>();
        const int zoom = snapZoom(requested, config.zoomStep);
        if (zoom != nearestStep(std::clamp(requested, kZoomWide, kZoomTele), config.zoomStep))
            fail("zoom not on the nearest step", zoom);
    }
    return 0;
}
