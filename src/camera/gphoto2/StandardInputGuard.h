#pragma once

namespace snapdeck::gphoto2 {

// libgphoto2 2.5.30 closes file descriptor 0 when it ends a PTP/IP session: the
// driver's unused Fuji JPEG socket starts out as 0 instead of -1. Left alone, the
// program loses its standard input, and the next session would close whatever file
// or socket got descriptor 0 in the meantime. While a guard lives, descriptor 0 is
// held open; on leaving, a descriptor 0 the library closed is put back.
class StandardInputGuard {
public:
    StandardInputGuard();
    ~StandardInputGuard();
    StandardInputGuard(const StandardInputGuard&) = delete;
    StandardInputGuard& operator=(const StandardInputGuard&) = delete;

private:
    int saved_ = -1;
};

} // namespace snapdeck::gphoto2
