#pragma once

#include <cstddef>
#include <cstdint>

namespace snapdeck {

// The camera's exposure record. The program reads and writes the mode, the aperture
// and the shutter time; the other two fields belong to the camera and travel back to
// it unchanged.
struct ExposureSettings {
    std::int32_t mode = 0;     // 1 manual, 2 automatic
    std::int32_t aperture = 0; // f-number times ten
    std::int32_t cameraField3 = 0;
    std::int32_t shutter = 0; // exposure time in microseconds
    std::int32_t cameraField5 = 0;

    friend bool operator==(const ExposureSettings&, const ExposureSettings&) = default;
};

namespace ExposureMode {
constexpr std::int32_t Manual = 1;
constexpr std::int32_t Automatic = 2;
} // namespace ExposureMode

// The camera's status record; the program reads only the battery level, the 16-bit
// signed field at byte offset 16.
struct BatteryStatus {
    std::int32_t cameraFields[4] = {};
    std::int16_t batteryLevel = 0;
    std::int16_t reserved = 0;
};
static_assert(offsetof(BatteryStatus, batteryLevel) == 16);

} // namespace snapdeck
