#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

namespace snapdeck::soak {

// The station's console, read as it is written: a FILE* for StationLog whose lines are
// counted here. Every name the station gives a shot ("shot due ... as NAME") is kept as a
// 64-bit hash in room made at the start, so that the soak's own memory does not grow; at
// the end the hashes tell whether a name was given twice, across restarts too.
class StationLogWatch {
public:
    explicit StationLogWatch(int names);
    ~StationLogWatch();
    StationLogWatch(const StationLogWatch&) = delete;
    StationLogWatch& operator=(const StationLogWatch&) = delete;

    std::FILE* console() const { return console_; }

    int namesGiven() const { return int(names_.size()); }
    // Names given more than once.
    int namesReused() const;
    // Names with a "-2", "-3" ... the station added because the name was taken.
    int namesSuffixed() const { return suffixed_; }
    // Lines that start with these words, counted.
    int count(const char* start) const;
    int lines() const { return lines_; }

private:
    static ssize_t written(void* self, const char* data, size_t size);
    void line(const QByteArray& text);

    std::FILE* console_ = nullptr;
    QByteArray partial_;
    std::vector<std::uint64_t> names_;
    int suffixed_ = 0;
    int lines_ = 0;
    std::map<QByteArray, int> counts_;
};

} // namespace snapdeck::soak
