#include "FileDownload.h"

#include "BusyRetry.h"
#include "Gphoto2Session.h"

#include <QCoreApplication>
#include <gphoto2/gphoto2-file.h>
#include <gphoto2/gphoto2-port-result.h>

namespace snapdeck::gphoto2 {

namespace {

struct Sink {
    QByteArray bytes;
    const std::function<void(std::int64_t)>* chunkArrived;
};

int sinkSize(void* priv, std::uint64_t* size) {
    *size = std::uint64_t(static_cast<Sink*>(priv)->bytes.size());
    return GP_OK;
}

int sinkRead(void*, unsigned char*, std::uint64_t* length) {
    *length = 0;
    return GP_ERROR_NOT_SUPPORTED;
}

int sinkWrite(void* priv, unsigned char* data, std::uint64_t* length) {
    auto* sink = static_cast<Sink*>(priv);
    sink->bytes.append(reinterpret_cast<const char*>(data), qsizetype(*length));
    if (*sink->chunkArrived)
        (*sink->chunkArrived)(sink->bytes.size());
    return GP_OK;
}

} // namespace

QByteArray downloadPicture(Gphoto2Session& session, const CardPicture& picture,
                           const std::function<void(std::int64_t bytesSoFar)>& chunkArrived) {
    Sink sink{{}, &chunkArrived};
    CameraFileHandler handler{&sinkSize, &sinkRead, &sinkWrite};
    CameraFile* file = nullptr;
    const QString action =
        QCoreApplication::translate("FileDownload", "Снимок %1 не скопирован с камеры")
            .arg(picture.name);
    session.check(gp_file_new_from_handler(&file, &handler, &sink), action);
    // A busy camera answers before any of the picture arrives: asking again is safe.
    const int result = retryWhileBusy([&] {
        return gp_camera_file_get(session.camera(), picture.folder.toUtf8().constData(),
                                  picture.name.toUtf8().constData(), GP_FILE_TYPE_NORMAL, file,
                                  session.context());
    });
    gp_file_unref(file);
    session.check(result, action);
    return std::move(sink.bytes);
}

} // namespace snapdeck::gphoto2
