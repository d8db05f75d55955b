#include "engine/capture/JpegHeader.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

QByteArray jpegOf(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

// A segment of "length" bytes after the two of its marker, as a camera's comment or
// thumbnail is.
QByteArray segment(unsigned char marker, int length) {
    QByteArray bytes(2 + length, 'x');
    bytes[0] = char(0xFF);
    bytes[1] = char(marker);
    bytes[2] = char(length >> 8);
    bytes[3] = char(length & 0xFF);
    return bytes;
}

std::optional<QSize> sizeOf(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return jpegFrameSize(buffer);
}

} // namespace

// The frame header is found behind any number of large segments, fill bytes included.
TEST(JpegHeader, TheFrameSizeIsFoundBehindCommentsAndThumbnails) {
    const QByteArray plain = jpegOf(QSize(320, 240));
    EXPECT_EQ(sizeOf(plain), QSize(320, 240));

    QByteArray padded = plain.left(2);
    for (int i = 0; i < 48; ++i)
        padded += segment(0xFE, 65535);          // 3 MB of comments, as the test camera sends
    padded += segment(0xE1, 60000);              // an Exif block with its thumbnail
    padded += QByteArray("\xFF\xFF", 2).left(1); // a fill byte before the next marker
    padded += plain.mid(2);
    EXPECT_EQ(sizeOf(padded), QSize(320, 240));
}

// Whatever is not a JPEG leading to a frame header gives nothing, never a made-up size
// and never a read past the end.
TEST(JpegHeader, BrokenOrForeignBytesGiveNothing) {
    const QByteArray plain = jpegOf(QSize(64, 48));
    const qsizetype frame = plain.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    EXPECT_EQ(sizeOf({}), std::nullopt);
    EXPECT_EQ(sizeOf(QByteArray("\x89PNG\r\n\x1a\n", 8)), std::nullopt);
    EXPECT_EQ(sizeOf(plain.left(frame + 6)), std::nullopt) << "cut inside the frame header";
    EXPECT_EQ(sizeOf(plain.left(2) + segment(0xFE, 1000).left(500)), std::nullopt)
        << "a segment longer than the file";
    EXPECT_EQ(sizeOf(plain.left(2) + QByteArray("\xFF\xFE\x00\x01", 4) + plain.mid(2)),
              std::nullopt)
        << "a length too short to hold itself";
    EXPECT_EQ(sizeOf(plain.left(2) + QByteArray("\xFF\xDA\x00\x02", 4)), std::nullopt)
        << "image data before any frame header";
    QByteArray noWidth = plain;
    noWidth[frame + 7] = 0;
    noWidth[frame + 8] = 0;
    EXPECT_EQ(sizeOf(noWidth), std::nullopt);
}
