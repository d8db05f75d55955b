#include "HistogramView.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace snapdeck {

namespace {

// The numbers are written the way the program's language writes them ("0,2 %" in
// Russian, "0.2 %" in English), whatever the system's locale.
QString percent(double share) {
    const QLocale numbers(QCoreApplication::translate(
        "snapdeck::HistogramView", "ru_RU", "the locale whose decimal mark the shares use"));
    return numbers.toString(share * 100, 'f', 1);
}

} // namespace

HistogramView::HistogramView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(tr("Гистограмма яркости"));
    setMinimumSize(128, 40);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QString HistogramView::clippingText(const LuminanceHistogram& histogram) {
    if (histogram.isEmpty())
        return {};
    return tr("Провалы в тенях: %1 %   Пересветы: %2 %")
        .arg(percent(histogram.shadowsClipped()), percent(histogram.highlightsClipped()));
}

void HistogramView::setHistogram(const LuminanceHistogram& histogram) {
    if (histogram == histogram_)
        return;
    histogram_ = histogram;
    setAccessibleDescription(clippingText(histogram));
    update();
}

void HistogramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const quint32 highest = histogram_.highestCount();
    if (histogram_.isEmpty() || highest == 0)
        return;
    // Square-root heights keep the small counts visible beside a tall peak.
    const double top = std::sqrt(double(highest));
    const QRectF area = QRectF(rect()).adjusted(1, 2, -1, -1);
    const double step = area.width() / LuminanceHistogram::kLevels;
    for (int level = 0; level < LuminanceHistogram::kLevels; ++level) {
        const double height = area.height() * std::sqrt(double(histogram_.counts[level])) / top;
        if (height <= 0)
            continue;
        const bool clipped = level < LuminanceHistogram::kDarkestUnclipped ||
                             level > LuminanceHistogram::kBrightestUnclipped;
        const QColor colour = clipped ? QColor(200, 40, 40) : palette().text().color();
        painter.fillRect(
            QRectF(area.left() + level * step, area.bottom() - height, std::max(1.0, step), height),
            colour);
    }
}

} // namespace snapdeck
