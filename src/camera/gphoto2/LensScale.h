#pragma once

namespace snapdeck::gphoto2 {

// The sliders' scales of the lens positions.
struct SliderScale {
    int first;
    int last;
};
constexpr SliderScale kZoomScale{80, 240};
constexpr SliderScale kFocusScale{1, 240};

// A camera range such as focal length 6.3..31.5 mm.
struct CameraRange {
    float minimum;
    float maximum;
    float step; // 0: any value
};

// The slider position mapped linearly onto the camera's range, on the range's step.
float cameraValue(int position, SliderScale scale, CameraRange range);
// The camera's value mapped linearly back onto the slider, rounded to a whole position.
int sliderPosition(float value, SliderScale scale, CameraRange range);

// A camera that only drives its focus by relative steps cannot say where the lens is;
// we count the slider positions we have moved it by ourselves. It starts at the near
// end of the scale.
class FocusCounter {
public:
    int position() const { return position_; }
    // Slider units to drive for reaching "target": positive is farther.
    int unitsTo(int target) const { return target - position_; }
    void arrivedAt(int target) { position_ = target; }

private:
    int position_ = kFocusScale.first;
};

} // namespace snapdeck::gphoto2
