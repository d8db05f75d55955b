#pragma once

#include "common/AppError.h"

#include <QByteArray>
#include <cstdint>

namespace snapdeck {

// The byte count a camera reported for a picture; a negative count is the camera's
// fault and an error, not a buffer size.
inline std::int32_t checkedPictureSize(std::int32_t byteCount) {
    if (byteCount < 0)
        throw AppError(ErrorNumber::InvalidCall, kAppErrorSource,
                       QStringLiteral("Камера сообщила неверный размер снимка: %1").arg(byteCount));
    return byteCount;
}

// How many bytes of the buffer hold the picture after a download: the camera may
// report that it copied fewer than asked; never more than the buffer.
inline qint64 copiedBytes(std::int32_t reported, const QByteArray& buffer) {
    return reported > 0 && reported < buffer.size() ? reported : buffer.size();
}

} // namespace snapdeck
