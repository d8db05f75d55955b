#pragma once

#include "camera/CameraSettings.h"

#include <algorithm>
#include <cmath>

// Lens and exposure arithmetic of the simulated compact camera.
namespace snapdeck::simulated {

// The lens of the simulated compact, on the sliders' scale.
constexpr int kZoomWide = 80;
constexpr int kZoomTele = 240;
constexpr int kFocusNear = 1;
constexpr int kFocusFar = 240;
// Where the scene's main subject stands on the focus scale.
constexpr int kSubjectFocus = 150;

// Brightness of the scene the camera looks at, in EV at ISO 100 (a bright interior or
// an overcast street).
constexpr double kSceneEv = 9.0;

// Widest aperture of the lens (f-number times ten): f/2.8 at the wide end closing
// linearly to f/4.8 at the long end, as on most compacts.
inline int widestAperture(int zoom) {
    const int clamped = std::clamp(zoom, kZoomWide, kZoomTele);
    return 28 +
           static_cast<int>(std::lround((clamped - kZoomWide) * 20.0 / (kZoomTele - kZoomWide)));
}

// How many stops an exposure gives more (positive) or less than the scene needs.
inline double exposureOffsetStops(int apertureCode, int shutterMicroseconds, int iso) {
    if (apertureCode <= 0 || shutterMicroseconds <= 0)
        return -12.0; // no light reaches the sensor: black
    const double fNumber = apertureCode / 10.0;
    const double seconds = shutterMicroseconds / 1e6;
    const double offset =
        std::log2(seconds * std::exp2(kSceneEv) * (iso / 100.0) / (fNumber * fNumber));
    return std::clamp(offset, -12.0, 12.0);
}

// The standard exposure time nearest (in stops) to what the scene needs at this
// aperture and sensitivity.
// The camera can set the times of the program's shutter list, so an automatic exposure
// always matches one of its entries.
inline int automaticShutter(int apertureCode, int iso) {
    const double fNumber = apertureCode / 10.0;
    const double idealSeconds = fNumber * fNumber / (std::exp2(kSceneEv) * (iso / 100.0));
    int best = settingTables::shutterTimes().front().value;
    double bestDistance = 1e9;
    for (const auto& entry : settingTables::shutterTimes()) {
        const int time = entry.value;
        const double distance = std::abs(std::log2(time / 1e6 / idealSeconds));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = time;
        }
    }
    return best;
}

// A requested zoom position moved into the range and onto the lens's steps counted
// from the wide end; a request exactly between two steps takes the lower one.
inline int snapZoom(int requested, int step) {
    const int position = std::clamp(requested, kZoomWide, kZoomTele);
    if (step <= 1)
        return position;
    // A step longer than the lens leaves only the wide end; camera.ini may give any
    // step, and the arithmetic below would overflow near the largest int.
    if (step > kZoomTele - kZoomWide)
        return kZoomWide;
    const int offset = position - kZoomWide;
    int steps = (2 * offset + step - 1) / (2 * step);
    if (kZoomWide + steps * step > kZoomTele)
        --steps;
    return kZoomWide + steps * step;
}

inline int clampFocus(int requested) {
    return std::clamp(requested, kFocusNear, kFocusFar);
}

} // namespace snapdeck::simulated
