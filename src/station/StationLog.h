#pragma once

#include <QString>
#include <cstdio>
#include <mutex>

namespace snapdeck {

class Clock;

// One line per event, on standard error (journald keeps it) and in a log file that
// rotates at a fixed size: "station.log" holds the newest lines, "station.log.1" the ones
// before. Lines start with the time. Safe from any thread.
class StationLog {
public:
    static constexpr qint64 kRotateBytes = 1024 * 1024;

    // "path": the log file; empty: standard error only.
    StationLog(QString path, const Clock& clock, std::FILE* console = stderr);
    ~StationLog();
    StationLog(const StationLog&) = delete;
    StationLog& operator=(const StationLog&) = delete;

    void write(const QString& line);

private:
    void rotateIfFull();

    QString path_;
    const Clock& clock_;
    std::FILE* console_;
    std::FILE* file_ = nullptr;
    qint64 written_ = 0;
    std::mutex mutex_;
};

} // namespace snapdeck
