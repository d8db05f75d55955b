#include "CameraCapture.h"

#include "BusyRetry.h"
#include "CameraConfig.h"
#include "Gphoto2Errors.h"
#include "Gphoto2Session.h"
#include "LibraryThread.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <gphoto2/gphoto2-file.h>
#include <gphoto2/gphoto2-port-result.h>

namespace snapdeck::gphoto2 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kEventSliceMs = 200;
// Cameras that never send "capture complete" have finished once a picture has
// arrived and no further picture or completion has come for this long.
constexpr auto kQuietAfterPicture = std::chrono::milliseconds(1500);
// After "capture complete" a late "file added" still gets this long: cameras storing
// RAW+JPEG often announce the JPEG after the completion.
constexpr auto kLateFileWait = std::chrono::milliseconds(3000);
// Events already queued are read before the shot for at most this long: a camera that
// reports property changes without pause must not hold the shot back.
constexpr auto kDrainLimit = std::chrono::milliseconds(1000);
constexpr int kDrainSliceMs = 10;

CardPicture pathToPicture(const CameraFilePath& path) {
    return {QString::fromUtf8(path.folder), QString::fromUtf8(path.name)};
}

std::optional<CardPicture> captureWithLibrary(Gphoto2Session& session, const QString& action) {
    CameraFilePath path{};
    session.check(retryWhileBusy([&] {
                      return gp_camera_capture(session.camera(), GP_CAPTURE_IMAGE, &path,
                                               session.context());
                  }),
                  action);
    const CardPicture picture = pathToPicture(path);
    if (picture.name.isEmpty() || !isJpegName(picture.name))
        return std::nullopt;
    return picture;
}

} // namespace

void drainEvents(Gphoto2Session& session) {
    const auto end = Clock::now() + kDrainLimit;
    while (Clock::now() < end) {
        CameraEventType type = GP_EVENT_UNKNOWN;
        void* data = nullptr;
        session.check(gp_camera_wait_for_event(session.camera(), kDrainSliceMs, &type, &data,
                                               session.context()),
                      QCoreApplication::translate("CameraCapture", "События камеры не прочитаны"));
        std::free(data);
        if (type == GP_EVENT_TIMEOUT)
            return;
    }
}

std::optional<CardPicture> capturePicture(Gphoto2Session& session, CallSignals& callSignals,
                                          std::chrono::milliseconds limit) {
    const QString action = QCoreApplication::translate("CameraCapture", "Снимок не сделан");
    const int triggered = retryWhileBusy(
        [&] { return gp_camera_trigger_capture(session.camera(), session.context()); });
    if (triggered == GP_ERROR_NOT_SUPPORTED)
        return captureWithLibrary(session, action);
    session.check(triggered, action);

    // Only a stored file and the completion are progress. Other events (property
    // changes some cameras send without pause) neither restart the waits nor count as
    // a sign of life, and the whole wait is capped, so the capture always ends.
    const auto deadline = Clock::now() + limit;
    std::optional<CardPicture> picture;
    std::optional<Clock::time_point> completedAt;
    auto lastProgress = Clock::now();
    for (;;) {
        if (callSignals.abandoned())
            raiseNotAnswering(
                QCoreApplication::translate("CameraCapture", "Камера не сообщила о снимке"));
        const auto now = Clock::now();
        if (picture && (completedAt || now - lastProgress >= kQuietAfterPicture))
            return picture;
        if (completedAt && now - *completedAt >= kLateFileWait)
            return std::nullopt;
        if (now >= deadline) {
            if (picture || completedAt)
                return picture;
            raiseNotAnswering(
                QCoreApplication::translate("CameraCapture", "Камера не сообщила о снимке за %1 с")
                    .arg(QString::number(limit.count() / 1000.0, 'g', 3)));
        }
        // The wait for a late file after the completion is short and bounded.
        if (completedAt)
            callSignals.alive();

        CameraEventType type = GP_EVENT_UNKNOWN;
        void* data = nullptr;
        session.check(gp_camera_wait_for_event(session.camera(), kEventSliceMs, &type, &data,
                                               session.context()),
                      action);
        if (type == GP_EVENT_FILE_ADDED && data) {
            const CardPicture added = pathToPicture(*static_cast<CameraFilePath*>(data));
            if (isJpegName(added.name))
                picture = added;
            lastProgress = Clock::now();
            callSignals.alive();
        } else if (type == GP_EVENT_CAPTURE_COMPLETE) {
            if (!completedAt)
                completedAt = Clock::now();
            lastProgress = Clock::now();
            callSignals.alive();
        }
        std::free(data);
    }
}

void captureToCard(Gphoto2Session& session) {
    const auto target = CameraConfig::read(session, "capturetarget");
    if (!target || target->readOnly)
        return;
    for (const QString& choice : target->choices) {
        if (!choice.contains(QLatin1String("card"), Qt::CaseInsensitive))
            continue;
        if (choice != target->text)
            CameraConfig::writeChoice(
                session, "capturetarget", choice,
                QCoreApplication::translate("CameraCapture", "Куда камера сохраняет снимки"));
        return;
    }
}

std::optional<QByteArray> capturePreview(Gphoto2Session& session) {
    CameraFile* file = nullptr;
    const QString action =
        QCoreApplication::translate("CameraCapture", "Снимок для просмотра не сделан");
    session.check(gp_file_new(&file), action);
    const int result = gp_camera_capture_preview(session.camera(), file, session.context());
    if (result == GP_ERROR_NOT_SUPPORTED) {
        gp_file_unref(file);
        return std::nullopt;
    }
    const char* data = nullptr;
    unsigned long size = 0;
    if (result >= GP_OK)
        gp_file_get_data_and_size(file, &data, &size);
    QByteArray bytes = result >= GP_OK ? QByteArray(data, qsizetype(size)) : QByteArray();
    gp_file_unref(file);
    session.check(result, action);
    return bytes;
}

} // namespace snapdeck::gphoto2
