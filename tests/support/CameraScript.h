#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace snapdeck::test {

// What a test (or the soak run) tells a camera to do through a ScriptedCamera, and the
// log of every call.
//
// Operation keys are the Camera interface's method names ("takePicture", "setZoom").
// Reported values are keyed by the getter's name ("pictureCount", "zoom"), records by
// field ("exposure.mode", "exposure.aperture", "exposure.shutter");
// "downloadPicture.bytes" breaks the next download off after that many bytes, as a
// cable pulled mid-transfer would.
//
// Log entries read like the calls: "takePicture()", "zoom()", "setZoom(100)",
// "setExposure(2/28/33333)". The log keeps the newest kLogCapacity calls, so that a
// camera that shoots all day does not fill the memory with its history.
class CameraScript {
public:
    static constexpr qsizetype kLogCapacity = 10000;

    // The next "times" calls of the operation fail with the error number.
    void failNext(const QString& operation, int errorNumber, int times = 1,
                  const QString& description = {});
    // The next "times" calls of the operation (or record field) report this value.
    void reportNext(const QString& key, std::int64_t value, int times = 1);
    void clearScript();

    const QStringList& log() const { return log_; }
    void clearLog() { log_.clear(); }
    // Log entries whose operation key is one of "operations".
    QStringList logOf(const QStringList& operations) const;

    // Records the call, then raises a scripted failure if one is due.
    void enter(const QString& operation, const QString& entry);
    // The scripted value for this key, if one is due.
    std::optional<std::int64_t> reported(const QString& key);

private:
    struct Fault {
        int number;
        int times;
        QString description;
    };
    struct Report {
        std::int64_t value;
        int times;
    };
    QStringList log_;
    QHash<QString, Fault> faults_;
    QHash<QString, Report> reports_;
};

} // namespace snapdeck::test
