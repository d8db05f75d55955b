#include "WriteLimit.h"

#include <csignal>

namespace snapdeck::soak {

WriteLimit::WriteLimit() {
    // Past the limit the system sends SIGXFSZ, which ends the process unless ignored;
    // ignored, the write fails with EFBIG instead.
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
}

bool WriteLimit::engage() {
    if (engaged_)
        return true;
    rlimit small = saved_;
    small.rlim_cur = kBytesThatFit;
    engaged_ = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    return engaged_;
}

void WriteLimit::release() {
    if (!engaged_)
        return;
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    engaged_ = false;
}

} // namespace snapdeck::soak
