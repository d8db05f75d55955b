#pragma once

#include "camera/CameraSettings.h"
#include "engine/queue/UploadQueue.h"
#include "engine/upload/UploadDestination.h"

#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

namespace snapdeck {

// The station's configuration file, read and checked whole before anything starts.
struct StationConfig {
    struct Camera {
        QString camera = QStringLiteral("gphoto2"); // or "simulator", "simulator:FOLDER"
        QString port;                               // as libgphoto2 takes it; empty: detected
        // The setting lists' entries by position; nothing: as the camera is.
        std::optional<int> imageSize, exposureMode, whiteBalance, flash, iso, monitor, focusMode,
            aperture, shutter;
        std::optional<int> zoom, focusPosition; // lens positions on the sliders' scale
        bool keepOnCard = false;
    } camera;

    struct Pictures {
        QString folder = QStringLiteral("/var/lib/snapdeck");
        QString name = QStringLiteral("%Y%m%d-%H%M%S"); // strftime fields and %n; ".jpg" added
        qint64 minFreeBytes = 200LL * 1024 * 1024;
        int keepDays = 0; // 0: keep every picture
    } pictures;

    struct Schedule {
        int intervalSeconds = 60;
        std::optional<QDateTime> start; // nothing: now
        std::optional<QDateTime> stop;  // nothing: never
        int count = 0;                  // 0: no limit
        // A daily window of shooting, which may wrap past midnight (22:00 to 04:00).
        std::optional<QTime> dailyFrom, dailyTo;
    } schedule;

    struct Upload {
        std::optional<UploadDestination> destination; // nothing: no upload
        QString latestName;                           // also published under this name
        QueueLimits queueLimits;
    } upload;
};

// Reads and checks the configuration file at "path". Nothing, with "error" set to one
// line naming the file, the line and the key ("station.ini:12: interval: ..."), when the
// file cannot be read or anything in it is wrong: an unknown section or key, a bad value,
// a password or secret file that others may read.
std::optional<StationConfig> readStationConfig(const QString& path, QString* error);

// The finest time unit a picture name's strftime fields show, in seconds (1 for %S, 60
// for %M, ...); 0 when the name has %n, which changes every picture; nothing when no field
// of it changes at all.
std::optional<int> nameResolutionSeconds(const QString& name);

} // namespace snapdeck
