#pragma once

#include "PictureOrder.h"

#include <QByteArray>
#include <chrono>
#include <optional>

namespace snapdeck::gphoto2 {

class CallSignals;
class Gphoto2Session;

// Reads the events the camera has queued (shots taken with its own button, late
// events of an earlier capture), so that none of them passes for the next shot's.
void drainEvents(Gphoto2Session& session);

// Takes a picture and waits for the camera to report it. The library's own capture
// waits for a PTP camera's events without any limit, so the shot is triggered and the
// events are awaited here in short slices: a stored file or the completion is a sign
// of life for the caller's time limit, and an abandoned capture stops at the next
// slice. The whole wait ends after "limit" at the latest.
// Returns the new JPEG picture the camera reported; nothing when it reported none
// (RAW only, or no "file added" event): the caller must then find the picture itself.
// A camera that reported neither a file nor the completion is error 26.
std::optional<CardPicture> capturePicture(Gphoto2Session& session, CallSignals& callSignals,
                                          std::chrono::milliseconds limit);

// Canon and Nikon cameras keep captures in their memory unless told otherwise; the
// program reads pictures from the card, so the capture target is set to the card
// where the camera has that choice. Cameras without it are left as they are.
void captureToCard(Gphoto2Session& session);

// A live-view frame from the camera; nothing when the camera cannot preview at all.
std::optional<QByteArray> capturePreview(Gphoto2Session& session);

} // namespace snapdeck::gphoto2
