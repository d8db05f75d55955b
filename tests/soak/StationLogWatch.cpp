#include "StationLogWatch.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <algorithm>
#include <cstring>

namespace snapdeck::soak {

namespace {

// The words after the time that say what happened.
const char* const kCounted[] = {"shot due",        "stored",          "shot missed",
                                "camera lost",     "camera found",    "camera not found",
                                "copied",          "disk low",        "disk has room again",
                                "removed",         "state not saved", "status not written",
                                "station started", "message:"};

} // namespace

StationLogWatch::StationLogWatch(int names) {
    names_.reserve(size_t(names));
    cookie_io_functions_t functions{};
    functions.write = &StationLogWatch::written;
    console_ = ::fopencookie(this, "w", functions);
}

StationLogWatch::~StationLogWatch() {
    if (console_)
        std::fclose(console_);
}

ssize_t StationLogWatch::written(void* self, const char* data, size_t size) {
    auto& watch = *static_cast<StationLogWatch*>(self);
    watch.partial_.append(data, qsizetype(size));
    for (qsizetype end; (end = watch.partial_.indexOf('\n')) >= 0;) {
        watch.line(watch.partial_.left(end));
        watch.partial_.remove(0, end + 1);
    }
    return ssize_t(size);
}

// "2026-06-01T06:00:00 shot due 2026-06-01T06:00:00 as 20260601-060000.jpg"
void StationLogWatch::line(const QByteArray& text) {
    ++lines_;
    const qsizetype space = text.indexOf(' ');
    const QByteArray event = text.mid(space + 1);
    for (const char* start : kCounted)
        if (event.startsWith(start))
            ++counts_[QByteArray(start)];
    if (!event.startsWith("shot due "))
        return;
    const QByteArray name = event.mid(event.lastIndexOf(" as ") + 4);
    std::uint64_t hash = 0;
    const QByteArray digest = QCryptographicHash::hash(name, QCryptographicHash::Sha256);
    std::memcpy(&hash, digest.constData(), sizeof hash);
    if (names_.size() < names_.capacity())
        names_.push_back(hash);
    static const QRegularExpression suffix(QStringLiteral("-\\d+-\\d+\\.jpg$"));
    if (suffix.match(QString::fromLatin1(name)).hasMatch())
        ++suffixed_;
}

int StationLogWatch::namesReused() const {
    std::vector<std::uint64_t> sorted = names_;
    std::sort(sorted.begin(), sorted.end());
    return int(sorted.size() - size_t(std::unique(sorted.begin(), sorted.end()) - sorted.begin()));
}

int StationLogWatch::count(const char* start) const {
    const auto found = counts_.find(QByteArray(start));
    return found == counts_.end() ? 0 : found->second;
}

} // namespace snapdeck::soak
