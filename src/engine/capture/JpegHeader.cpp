#include "JpegHeader.h"

#include <QIODevice>

namespace snapdeck {

namespace {

constexpr unsigned char kMarkerStart = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;

// SOF0..SOF15, without DHT (C4), JPG (C8) and DAC (CC), which share the range.
bool isFrameHeader(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and the restart markers.
bool standsAlone(unsigned char marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

std::optional<unsigned char> readByte(QIODevice& device) {
    char byte = 0;
    if (!device.getChar(&byte))
        return std::nullopt;
    return static_cast<unsigned char>(byte);
}

std::optional<int> readBigEndian16(QIODevice& device) {
    const auto high = readByte(device);
    const auto low = readByte(device);
    if (!high || !low)
        return std::nullopt;
    return (*high << 8) | *low;
}

} // namespace

std::optional<QSize> jpegFrameSize(QIODevice& device) {
    if (readByte(device) != kMarkerStart || readByte(device) != kStartOfImage)
        return std::nullopt;
    for (;;) {
        if (readByte(device) != kMarkerStart)
            return std::nullopt;
        std::optional<unsigned char> marker = readByte(device);
        while (marker == kMarkerStart) // fill bytes before a marker
            marker = readByte(device);
        if (!marker || *marker == kEndOfImage || *marker == kStartOfScan)
            return std::nullopt;
        if (standsAlone(*marker))
            continue;
        const std::optional<int> length = readBigEndian16(device);
        if (!length || *length < 2)
            return std::nullopt;
        if (isFrameHeader(*marker)) {
            const auto precision = readByte(device);
            const auto height = readBigEndian16(device);
            const auto width = readBigEndian16(device);
            if (!precision || !height || !width || *height == 0 || *width == 0)
                return std::nullopt;
            return QSize(*width, *height);
        }
        const qint64 next = device.pos() + *length - 2;
        if (!device.isSequential() && next > device.size())
            return std::nullopt;
        if (!device.seek(next))
            return std::nullopt;
    }
}

} // namespace snapdeck
