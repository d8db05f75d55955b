#pragma once

#include <QStringList>

namespace snapdeck::gphoto2 {

// The error lines libgphoto2 logs on the calling thread while this object lives. Some
// failures are only logged: the ptp2 driver of libgphoto2 2.5 logs a camera's refusal
// of DeleteObject and reports the delete as done.
class LibraryErrorLog {
public:
    LibraryErrorLog();
    ~LibraryErrorLog();
    LibraryErrorLog(const LibraryErrorLog&) = delete;
    LibraryErrorLog& operator=(const LibraryErrorLog&) = delete;

    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
    QStringList* outer_; // the log this one stands in for until it ends
};

} // namespace snapdeck::gphoto2
