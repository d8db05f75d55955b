#include "UploadWatch.h"

#include "engine/EngineState.h"

#include <QFileInfo>

namespace snapdeck::soak {

void UploadWatch::pictureStored(const QString& path) {
    lastPicture_ = QFileInfo(path).fileName();
}

void UploadWatch::stateChanged(const EngineState& state) {
    const QString& line = state.uploadStatus;
    if (line == line_)
        return;
    const bool wasUploading = !line_.isEmpty();
    line_ = line;
    if (!wasUploading && started)
        started();
    if (line == QStringLiteral("Отсылаем файл...") && aboutToSend)
        aboutToSend();
    if (line.isEmpty() && ended)
        ended(lastPicture_);
}

} // namespace snapdeck::soak
