#include "LuminanceHistogram.h"

#include <QImage>
#include <algorithm>

namespace snapdeck {

namespace {

// 0.299 R + 0.587 G + 0.114 B in 1/256ths; the weights add up to 256, so white stays 255.
inline int luminance(QRgb pixel) {
    return (77 * qRed(pixel) + 150 * qGreen(pixel) + 29 * qBlue(pixel)) >> 8;
}

double share(quint64 part, quint64 whole) {
    return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

} // namespace

LuminanceHistogram LuminanceHistogram::of(const QImage& image) {
    LuminanceHistogram histogram;
    if (image.isNull())
        return histogram;
    // The JPEG decoder gives RGB32 already; anything else is converted once.
    const QImage rgb =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            ++histogram.counts[luminance(line[x])];
    }
    histogram.pixels = quint64(width) * quint64(rgb.height());
    return histogram;
}

double LuminanceHistogram::shadowsClipped() const {
    quint64 dark = 0;
    for (int level = 0; level < kDarkestUnclipped; ++level)
        dark += counts[level];
    return share(dark, pixels);
}

double LuminanceHistogram::highlightsClipped() const {
    quint64 bright = 0;
    for (int level = kBrightestUnclipped + 1; level < kLevels; ++level)
        bright += counts[level];
    return share(bright, pixels);
}

quint32 LuminanceHistogram::highestCount() const {
    return *std::max_element(counts.begin(), counts.end());
}

} // namespace snapdeck
