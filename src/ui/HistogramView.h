#pragma once

#include "engine/live/LuminanceHistogram.h"

#include <QWidget>

namespace snapdeck {

// A small luminance histogram: one column per level from black on the left to white on
// the right, the clipped ends (0..2 and 253..255) in red. Its accessible description
// carries the clipped shares for screen readers, in the words the window's line shows.
class HistogramView : public QWidget {
    Q_OBJECT
public:
    explicit HistogramView(QWidget* parent = nullptr);

    void setHistogram(const LuminanceHistogram& histogram);
    const LuminanceHistogram& histogram() const { return histogram_; }

    QSize sizeHint() const override { return {256, 56}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // "Провалы в тенях: 0,4 %   Пересветы: 1,2 %"; empty without a picture.
    static QString clippingText(const LuminanceHistogram& histogram);

    LuminanceHistogram histogram_;
};

} // namespace snapdeck
