#pragma once

#include "Gphoto2Session.h"

#include <QList>
#include <QString>
#include <optional>

namespace snapdeck::gphoto2 {

// A USB camera switched off and on again, or woken from its power saving, comes back
// with a new device number ("usb:001,005" becomes "usb:001,006"). Among the cameras
// detected now, the one at a different USB port whose model is "model" (the model the
// lost camera was opened as); nothing unless exactly one such camera is found, so that
// another camera of the same kind is never taken for it.
std::optional<CameraTarget> movedCamera(const CameraTarget& lost, const QString& model,
                                        const QList<CameraTarget>& detected);

} // namespace snapdeck::gphoto2
