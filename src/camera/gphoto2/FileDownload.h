#pragma once

#include "PictureOrder.h"

#include <QByteArray>
#include <cstdint>
#include <functional>

namespace snapdeck::gphoto2 {

class Gphoto2Session;

// Copies a picture from the camera into memory through a file handler that sees every
// chunk the driver receives, so "chunkArrived" gets exact byte counts of this download
// only (the library's own progress reports also cover driver loading and folder
// listing, in units that differ between drivers).
QByteArray downloadPicture(Gphoto2Session& session, const CardPicture& picture,
                           const std::function<void(std::int64_t bytesSoFar)>& chunkArrived);

} // namespace snapdeck::gphoto2
