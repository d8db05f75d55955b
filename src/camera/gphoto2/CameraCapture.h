#pragma once

#include "PictureOrder.h"

#include <QByteArray>
#include <optional>

namespace snapdeck::gphoto2 {

class CallSignals;
class Gphoto2Session;

// Takes a picture and waits for the camera to report it. The library's own capture
// waits for a PTP camera's events without any limit, so the shot is triggered and the
// events are awaited here in short slices: each event is a sign of life for the
// caller's time limit, and an abandoned capture stops at the next slice.
// Returns the new JPEG picture, if the camera reported one.
std::optional<CardPicture> capturePicture(Gphoto2Session& session, CallSignals& callSignals);

// Canon and Nikon cameras keep captures in their memory unless told otherwise; the
// program reads pictures from the card, so the capture target is set to the card
// where the camera has that choice. Cameras without it are left as they are.
void captureToCard(Gphoto2Session& session);

// A live-view frame from the camera; a camera that cannot preview gets a clear error.
QByteArray capturePreview(Gphoto2Session& session);

} // namespace snapdeck::gphoto2
