#include "ProgramExit.h"

#include <cstdio>
#include <cstdlib>

namespace snapdeck {

namespace {
std::function<void(int)>& handler() {
    static std::function<void(int)> current;
    return current;
}
} // namespace

void endProgramNow(int exitCode) {
    if (handler()) {
        handler()(exitCode);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void setProgramEndHandler(std::function<void(int)> newHandler) {
    handler() = std::move(newHandler);
}

} // namespace snapdeck
