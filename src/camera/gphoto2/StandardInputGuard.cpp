#include "StandardInputGuard.h"

#include <fcntl.h>
#include <unistd.h>

namespace snapdeck::gphoto2 {

namespace {

bool isOpen(int fd) {
    return fcntl(fd, F_GETFD) != -1;
}

} // namespace

StandardInputGuard::StandardInputGuard() {
    // A program started without standard input would hand descriptor 0 to the
    // library's own sockets; give it /dev/null first.
    if (!isOpen(0)) {
        const int null = open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (null > 0) {
            dup2(null, 0);
            close(null);
        }
    }
    saved_ = fcntl(0, F_DUPFD_CLOEXEC, 3);
}

StandardInputGuard::~StandardInputGuard() {
    if (saved_ < 0)
        return;
    if (!isOpen(0))
        dup2(saved_, 0);
    close(saved_);
}

} // namespace snapdeck::gphoto2
