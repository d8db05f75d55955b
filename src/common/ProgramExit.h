#pragma once

#include <functional>

namespace snapdeck {

// Ends the program at once, without closing windows or the camera. In the program it
// does not return; tests replace it to observe the end, and the caller then returns.
void endProgramNow(int exitCode);

// Replaces what endProgramNow does; an empty function restores the real end.
void setProgramEndHandler(std::function<void(int)> handler);

} // namespace snapdeck
