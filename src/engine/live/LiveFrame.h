#pragma once

#include "LuminanceHistogram.h"

#include <QByteArray>
#include <QImage>

namespace snapdeck {

// One frame of live view, decoded and measured on the engine's side, so that the
// window only paints it.
struct LiveFrame {
    QImage image; // at the camera's live-view size
    LuminanceHistogram histogram;
    quint64 number = 0;    // 1, 2, ... since live view was last switched on
    qint64 receivedMs = 0; // the engine clock's monotonic reading as the camera handed it over
};

// Decodes the camera's JPEG and measures it; a frame with a null image when the bytes
// are no picture.
LiveFrame decodeLiveFrame(const QByteArray& jpeg);

} // namespace snapdeck
