#include "PictureBox.h"

#include <QImageReader>
#include <QPainter>
#include <QPointer>
#include <QThreadPool>

namespace snapdeck {

PictureBox::PictureBox(const QString& accessibleName, QSize preferredSize, QWidget* parent)
    : QWidget(parent), preferredSize_(preferredSize) {
    setAccessibleName(accessibleName);
    setMinimumSize(preferredSize / 4);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QImage PictureBox::decodeToFit(const QString& path, QSize box, QSize* fullSize) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (fullSize)
        *fullSize = full;
    if (full.isValid() && box.isValid() &&
        (full.width() > box.width() || full.height() > box.height()))
        reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio));
    return reader.read();
}

QSize PictureBox::decodeSize() const {
    const QSize shown = size().isValid() && !size().isEmpty() ? size() : preferredSize_;
    return shown.expandedTo(preferredSize_) * devicePixelRatioF();
}

void PictureBox::showFile(const QString& path) {
    decode(path, decodeSize());
}

void PictureBox::decode(const QString& path, QSize size) {
    const quint64 request = ++pending_;
    QPointer<PictureBox> box(this);
    QThreadPool::globalInstance()->start([box, path, size, request] {
        QSize fullSize;
        QImage decoded = decodeToFit(path, size, &fullSize);
        QMetaObject::invokeMethod(
            box,
            [box, path, fullSize, request, decoded = std::move(decoded)]() mutable {
                // Only the newest picture is shown; an older decode that ends late is dropped.
                if (!box || request != box->pending_)
                    return;
                box->shown_ = request;
                if (decoded.isNull())
                    return;
                box->image_ = std::move(decoded);
                box->fullSize_ = fullSize;
                box->path_ = path;
                box->update();
                emit box->pictureShown();
            },
            Qt::QueuedConnection);
    });
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A box grown beyond the decoded picture decodes it again, sharp at the new size.
    const QSize wanted = decodeSize();
    const bool shrunk = fullSize_.width() > image_.width();
    if (!decoding() && shrunk && image_.width() < wanted.width() * 3 / 4 &&
        image_.height() < wanted.height() * 3 / 4)
        decode(path_, wanted);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The box keeps the camera's 4:3 shape whatever room the layout gives it; an empty
    // box shows as a dark frame.
    const QSize shape = image_.isNull() ? QSize(4, 3) : image_.size();
    const QSize fitted = shape.scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, 0), fitted);
    if (image_.isNull()) {
        painter.fillRect(target, palette().dark());
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

} // namespace snapdeck
