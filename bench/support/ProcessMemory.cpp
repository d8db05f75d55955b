#include "ProcessMemory.h"

#include <cstdio>
#include <cstring>

namespace snapdeck::bench {

namespace {

long statusField(const char* name) {
    std::FILE* file = std::fopen("/proc/self/status", "re");
    if (!file)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%ld", &value);
            break;
        }
    }
    std::fclose(file);
    return value;
}

} // namespace

long residentKiB() {
    return statusField("VmRSS");
}

long peakResidentKiB() {
    return statusField("VmHWM");
}

bool resetPeakResident() {
    std::FILE* file = std::fopen("/proc/self/clear_refs", "we");
    if (!file)
        return false;
    const bool written = std::fputs("5", file) >= 0;
    return std::fclose(file) == 0 && written;
}

} // namespace snapdeck::bench
