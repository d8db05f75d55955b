#include "LibraryErrorLog.h"

#include <gphoto2/gphoto2-port-log.h>

namespace snapdeck::gphoto2 {

namespace {

// A few lines say what went wrong; a library in trouble must not fill the memory.
constexpr qsizetype kMostLines = 8;

thread_local QStringList* collectingLines = nullptr;

void collect(GPLogLevel, const char*, const char* text, void*) {
    if (collectingLines && text && collectingLines->size() < kMostLines)
        collectingLines->append(QString::fromUtf8(text).trimmed());
}

} // namespace

LibraryErrorLog::LibraryErrorLog() : outer_(collectingLines) {
    // Added once for the process and left in place: it only listens where a log is open.
    static const int added = gp_log_add_func(GP_LOG_ERROR, &collect, nullptr);
    (void)added;
    collectingLines = &lines_;
}

LibraryErrorLog::~LibraryErrorLog() {
    collectingLines = outer_;
}

} // namespace snapdeck::gphoto2
