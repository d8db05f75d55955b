#include "CameraCapture.h"

#include "CameraConfig.h"
#include "Gphoto2Errors.h"
#include "Gphoto2Session.h"
#include "LibraryThread.h"

#include <chrono>
#include <cstdlib>
#include <gphoto2/gphoto2-file.h>
#include <gphoto2/gphoto2-port-result.h>

namespace snapdeck::gphoto2 {

namespace {

constexpr int kEventSliceMs = 200;
// Cameras that never send "capture complete" have finished once a picture has
// arrived and the events have stayed quiet this long.
constexpr auto kQuietAfterPicture = std::chrono::milliseconds(1500);
// After "capture complete" a late "file added" still gets this long.
constexpr auto kLateFileWait = std::chrono::milliseconds(1000);

CardPicture pathToPicture(const CameraFilePath& path) {
    return {QString::fromUtf8(path.folder), QString::fromUtf8(path.name)};
}

std::optional<CardPicture> captureWithLibrary(Gphoto2Session& session, const QString& action) {
    CameraFilePath path{};
    session.check(gp_camera_capture(session.camera(), GP_CAPTURE_IMAGE, &path, session.context()),
                  action);
    const CardPicture picture = pathToPicture(path);
    if (picture.name.isEmpty() || !isJpegName(picture.name))
        return std::nullopt;
    return picture;
}

} // namespace

std::optional<CardPicture> capturePicture(Gphoto2Session& session, CallSignals& callSignals) {
    using Clock = std::chrono::steady_clock;
    const QString action = QStringLiteral("Снимок не сделан");
    const int triggered = gp_camera_trigger_capture(session.camera(), session.context());
    if (triggered == GP_ERROR_NOT_SUPPORTED)
        return captureWithLibrary(session, action);
    session.check(triggered, action);

    std::optional<CardPicture> picture;
    bool complete = false;
    auto lastEvent = Clock::now();
    for (;;) {
        if (callSignals.abandoned())
            raiseNotAnswering(QStringLiteral("Камера не сообщила о снимке"));
        const auto quiet = Clock::now() - lastEvent;
        if (picture && (complete || quiet >= kQuietAfterPicture))
            return picture;
        if (complete && quiet >= kLateFileWait)
            return picture;

        CameraEventType type = GP_EVENT_UNKNOWN;
        void* data = nullptr;
        session.check(gp_camera_wait_for_event(session.camera(), kEventSliceMs, &type, &data,
                                               session.context()),
                      action);
        if (type == GP_EVENT_TIMEOUT) {
            std::free(data);
            continue;
        }
        lastEvent = Clock::now();
        callSignals.alive();
        if (type == GP_EVENT_FILE_ADDED && data) {
            const CardPicture added = pathToPicture(*static_cast<CameraFilePath*>(data));
            if (isJpegName(added.name))
                picture = added;
        } else if (type == GP_EVENT_CAPTURE_COMPLETE) {
            complete = true;
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
            CameraConfig::writeChoice(session, "capturetarget", choice,
                                      QStringLiteral("Куда камера сохраняет снимки"));
        return;
    }
}

QByteArray capturePreview(Gphoto2Session& session) {
    CameraFile* file = nullptr;
    const QString action = QStringLiteral("Снимок для просмотра не сделан");
    session.check(gp_file_new(&file), action);
    const int result = gp_camera_capture_preview(session.camera(), file, session.context());
    if (result == GP_ERROR_NOT_SUPPORTED) {
        gp_file_unref(file);
        raiseError(Gphoto2Error::NotSupported,
                   QStringLiteral("Камера не умеет показывать изображение для просмотра: "
                                  "используйте кнопку «Захват»"));
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
