#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace snapdeck {

// What a test (or the soak run) tells the simulated camera to do, and the camera's log
// of every call.
//
// Operation keys are the operation names; the setter of a property has "=" appended
// ("ZoomPosition" reads the zoom, "ZoomPosition=" moves it). Reported values of
// records are keyed by field: "GetExposure.mode", "GetExposure.aperture",
// "GetExposure.shutter", "GetBatteryStatus.level"; "DownloadPicture.bytes" breaks the
// next download off after that many bytes, as a cable pulled mid-transfer would.
//
// Log entries read like the calls: "TakePicture(0)", "ZoomPosition(0)",
// "ZoomPosition(0)=100", "SetExposure(0, 2/28/0/33333/0)". The log keeps the newest
// kLogCapacity calls: the program's own simulated camera logs too, and a camera that
// shoots all day must not fill the memory with its history.
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

    // Used by the camera: records the call, then raises a scripted failure if one is due.
    void enter(const QString& operation, const QString& entry);
    // Used by the camera: the scripted value for this key, if one is due.
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

} // namespace snapdeck
