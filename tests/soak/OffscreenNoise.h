#pragma once

#include <QtGlobal>

namespace snapdeck::soak {

// While it lives, drops the offscreen platform's warning that it cannot pass size hints
// on, which every shown and hidden status label of thousands of shots would print;
// every other message goes on to the handler before.
class OffscreenNoise {
public:
    OffscreenNoise();
    ~OffscreenNoise();
    OffscreenNoise(const OffscreenNoise&) = delete;
    OffscreenNoise& operator=(const OffscreenNoise&) = delete;
};

} // namespace snapdeck::soak
