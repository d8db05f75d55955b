#pragma once

#include <QtGlobal>
#include <array>

class QImage;

namespace snapdeck {

// How the pixels of a picture spread over the 256 levels of luminance, and how many of
// them are clipped: crushed to black (levels 0..2) or blown to white (253..255).
struct LuminanceHistogram {
    static constexpr int kLevels = 256;
    static constexpr int kDarkestUnclipped = 3;
    static constexpr int kBrightestUnclipped = 252;

    std::array<quint32, kLevels> counts{};
    quint64 pixels = 0;

    // Luminance as JPEG codes it (ITU-R BT.601 weights), for every pixel of the picture.
    static LuminanceHistogram of(const QImage& image);

    // Shares of the pixels, 0..1; 0 for an empty histogram.
    double shadowsClipped() const;
    double highlightsClipped() const;
    quint32 highestCount() const;
    bool isEmpty() const { return pixels == 0; }

    friend bool operator==(const LuminanceHistogram&, const LuminanceHistogram&) = default;
};

} // namespace snapdeck
