#pragma once

#include <QLabel>

namespace snapdeck {

// A one-line value that may be longer than the place it has: it does not ask for the
// width of its whole text but shows what fits, ending in "…". text() keeps the whole
// text; so does the tooltip, which screen readers also read as the description.
// Keyboard users reach and select it as any value label: select all and copy give the
// whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    // Hides QLabel::setText to keep the tooltip with the text; set it through this type.
    void setText(const QString& text);
    // True while the whole text does not fit.
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textArea() const;
};

} // namespace snapdeck
