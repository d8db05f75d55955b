#include "ProcessMemory.h"

#include <cstdio>
#include <cstring>
#include <malloc.h>

namespace snapdeck::test {

namespace {

qint64 statusField(const char* name) {
    std::FILE* file = std::fopen("/proc/self/status", "re");
    if (!file)
        return -1;
    char line[256];
    long long value = -1;
    const std::size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%lld", &value);
            break;
        }
    }
    std::fclose(file);
    return value;
}

} // namespace

qint64 residentKiB() {
    return statusField("VmRSS");
}

qint64 peakResidentKiB() {
    return statusField("VmHWM");
}

bool resetPeakResident() {
    std::FILE* file = std::fopen("/proc/self/clear_refs", "we");
    if (!file)
        return false;
    const bool written = std::fputs("5", file) >= 0;
    return std::fclose(file) == 0 && written;
}

qint64 heapInUseKiB() {
    const struct mallinfo2 heap = ::mallinfo2();
    return static_cast<qint64>((heap.uordblks + heap.hblkhd) / 1024);
}

} // namespace snapdeck::test
