#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

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

// The exposure times the camera can set, in microseconds: the same steps the program's
// shutter list offers, so an automatic exposure always matches one of its entries.
constexpr std::array<int, 43> kShutterTimes = {
    1000,    1250,    1563,    1667,    2500,     3125,     4000,    5000,    6250,
    8000,    10000,   12500,   16667,   20000,    25000,    33333,   40000,   50000,
    66667,   76923,   100000,  125000,  166667,   200000,   250000,  333333,  400000,
    500000,  625000,  769231,  1000000, 1300000,  1600000,  2000000, 2500000, 3200000,
    4000000, 5000000, 6000000, 8000000, 10000000, 13000000, 15000000};

// Widest aperture of the lens (f-number times ten): f/2.8 at the wide end closing
// linearly to f/4.8 at the long end, as on most compacts.
inline int widestAperture(int zoom) {
    const int clamped = std::clamp(zoom, kZoomWide, kZoomTele);
    return 28 +
           static_cast<int>(std::lround((clamped - kZoomWide) * 20.0 / (kZoomTele - kZoomWide)));
}

// ISO setting code -> sensitivity; automatic ISO works at 100.
inline std::optional<int> isoSpeedForCode(int code) {
    switch (code) {
    case 0:
        return 100;
    case 5:
        return 50;
    case 1:
        return 100;
    case 2:
        return 200;
    case 3:
        return 400;
    default:
        return std::nullopt;
    }
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
inline int automaticShutter(int apertureCode, int iso) {
    const double fNumber = apertureCode / 10.0;
    const double idealSeconds = fNumber * fNumber / (std::exp2(kSceneEv) * (iso / 100.0));
    int best = kShutterTimes.front();
    double bestDistance = 1e9;
    for (const int time : kShutterTimes) {
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
