#pragma once

#include <sys/resource.h>

namespace snapdeck::soak {

// A full disk for this process: while engaged, no file may grow beyond a few KB, and a
// write past that fails as on a full disk (EFBIG, which the program reports as a full
// disk). The FTP server and other processes write as before.
class WriteLimit {
public:
    WriteLimit();
    ~WriteLimit() { release(); }
    WriteLimit(const WriteLimit&) = delete;
    WriteLimit& operator=(const WriteLimit&) = delete;

    // False when the system refused the limit.
    bool engage();
    void release();
    bool engaged() const { return engaged_; }

    static constexpr rlim_t kBytesThatFit = 16 * 1024;

private:
    rlimit saved_{};
    bool engaged_ = false;
};

} // namespace snapdeck::soak
