#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace snapdeck::bench {

// The least a capture has to do with a picture the camera has handed over, done with
// the plainest calls: the bytes into a new file with open, write and fsync, and the
// JPEG decoded at the picture box's size.

// Writes "bytes" to a new file "path" and flushes it to the disk; false on failure.
bool writeAndFlush(const QString& path, const QByteArray& bytes);

// The least a write that no crash can leave half done takes, with the same plain calls:
// a temporary file beside "path" written and flushed, renamed over "path", and the
// folder flushed so that the rename itself is on the disk.
bool writeSafely(const QString& path, const QByteArray& bytes);

// The JPEG file decoded straight at "size" (the decoder scales while decoding).
QImage decodeScaled(const QString& path, QSize size);

// The JPEG file decoded at full size, then scaled to fit "size": what a picture box
// without scaled decoding would do.
QImage decodeFullThenScale(const QString& path, QSize size);

} // namespace snapdeck::bench
