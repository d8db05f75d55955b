#include "FocusCheck.h"

#include <algorithm>
#include <cmath>

namespace snapdeck {

namespace {

// The first picture pixel of a span of "shown" pixels centred on "centre", inside
// 0..whole.
int spanStart(int whole, int shown, double centre) {
    if (shown >= whole)
        return 0;
    const int start = static_cast<int>(std::lround(centre - shown / 2.0));
    return std::clamp(start, 0, whole - shown);
}

} // namespace

QRect focusCheckCrop(QSize picture, QSize view, QPointF spot) {
    if (picture.isEmpty() || view.isEmpty())
        return {};
    const QSize shown = view.boundedTo(picture);
    const double x = std::clamp(spot.x(), 0.0, 1.0) * picture.width();
    const double y = std::clamp(spot.y(), 0.0, 1.0) * picture.height();
    return QRect(spanStart(picture.width(), shown.width(), x),
                 spanStart(picture.height(), shown.height(), y), shown.width(), shown.height());
}

} // namespace snapdeck
