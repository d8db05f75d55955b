#pragma once

#include <QSize>
#include <optional>

class QIODevice;

namespace snapdeck {

// The picture size a JPEG's frame header gives, read from the device's start by
// walking the segments: each says its length, so comments and thumbnails, however
// large, are skipped without being read. Nothing when the device holds no JPEG or its
// segments do not lead to a frame header.
std::optional<QSize> jpegFrameSize(QIODevice& device);

} // namespace snapdeck
