#include "ElidedLabel.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace snapdeck {

namespace {

// The width asked for: a camera's usual model name, not a whole line of text.
constexpr int kPreferredCharacters = 32;
// The least it can be squeezed to: a few characters and the "…".
constexpr int kFewestCharacters = 6;

} // namespace

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    // The text comes from outside (a camera names itself): shown as it is, never markup.
    setTextFormat(Qt::PlainText);
    setText(text);
}

void ElidedLabel::setText(const QString& text) {
    QLabel::setText(text);
    setToolTip(text);
}

QRect ElidedLabel::textArea() const {
    const int inset = margin();
    return contentsRect().adjusted(inset, inset, -inset, -inset);
}

bool ElidedLabel::isElided() const {
    return fontMetrics().horizontalAdvance(text()) > textArea().width();
}

QSize ElidedLabel::sizeHint() const {
    QSize size = QLabel::sizeHint();
    size.setWidth(std::min(size.width(), fontMetrics().averageCharWidth() * kPreferredCharacters));
    return size;
}

QSize ElidedLabel::minimumSizeHint() const {
    QSize size = QLabel::minimumSizeHint();
    size.setWidth(std::min(size.width(), fontMetrics().averageCharWidth() * kFewestCharacters));
    return size;
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    // What fits is drawn by QLabel itself, with the selection and the cursor.
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = textArea();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
}

} // namespace snapdeck
