#include "LensScale.h"

#include <algorithm>
#include <cmath>

namespace snapdeck::gphoto2 {

float cameraValue(int position, SliderScale scale, CameraRange range) {
    const double share = double(position - scale.first) / double(scale.last - scale.first);
    double value = range.minimum + share * (double(range.maximum) - range.minimum);
    if (range.step > 0)
        value = range.minimum + std::round((value - range.minimum) / range.step) * range.step;
    return float(std::clamp(value, double(range.minimum), double(range.maximum)));
}

int sliderPosition(float value, SliderScale scale, CameraRange range) {
    if (range.maximum <= range.minimum)
        return scale.first;
    const double share = (double(value) - range.minimum) / (double(range.maximum) - range.minimum);
    const int position = int(std::lround(scale.first + share * (scale.last - scale.first)));
    return std::clamp(position, scale.first, scale.last);
}

} // namespace snapdeck::gphoto2
