#pragma once

#include "camera/CameraError.h"

#include <gtest/gtest.h>
#include <optional>

namespace snapdeck::test {

// Switches the whole process to the Russian locale (numbers with a decimal comma), as
// the program runs for its users. The locale is built once into the build folder,
// since Debian installs none but C. Returns false when it cannot be built.
bool useRussianLocale();
void usePlainLocale();

// The CameraError the call raises; a call that raises none fails the test.
template <typename Call> CameraError errorOf(Call call) {
    try {
        call();
    } catch (const CameraError& error) {
        return error;
    }
    ADD_FAILURE() << "no CameraError was raised";
    return CameraError(0, {}, {});
}

} // namespace snapdeck::test
