#include "LibraryErrorLog.h"

#include <gphoto2/gphoto2-port-log.h>
#include <mutex>

namespace snapdeck::gphoto2 {

namespace {

// A few lines say what went wrong; a library in trouble must not fill the memory.
constexpr qsizetype kMostLines = 8;

thread_local QStringList* collectingLines = nullptr;

// While any log function is added, libgphoto2 formats every message it logs, whatever
// the level the function asked for, hex dumps of every chunk of a copy included: a
// 3 MB picture then takes several times as long to copy. So the function is added only
// while a log is open.
std::mutex registrationMutex;
int openLogs = 0;
int registration = -1;

void collect(GPLogLevel, const char*, const char* text, void*) {
    if (collectingLines && text && collectingLines->size() < kMostLines)
        collectingLines->append(QString::fromUtf8(text).trimmed());
}

} // namespace

LibraryErrorLog::LibraryErrorLog() : outer_(collectingLines) {
    {
        const std::lock_guard lock(registrationMutex);
        if (openLogs++ == 0)
            registration = gp_log_add_func(GP_LOG_ERROR, &collect, nullptr);
    }
    collectingLines = &lines_;
}

LibraryErrorLog::~LibraryErrorLog() {
    collectingLines = outer_;
    const std::lock_guard lock(registrationMutex);
    if (--openLogs == 0 && registration >= 0) {
        gp_log_remove_func(registration);
        registration = -1;
    }
}

} // namespace snapdeck::gphoto2
