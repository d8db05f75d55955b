#include "PictureBox.h"

#include "common/AppError.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace snapdeck {

PictureBox::PictureBox(const QString& accessibleName, QSize preferredSize, QWidget* parent)
    : QWidget(parent), preferredSize_(preferredSize) {
    setAccessibleName(accessibleName);
    setMinimumSize(preferredSize / 4);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QImage PictureBox::decodeToFit(const QString& path, QSize box, QString* error, QSize* fullSize) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (fullSize)
        *fullSize = full;
    if (full.isValid() && box.isValid() &&
        (full.width() > box.width() || full.height() > box.height()))
        reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

QSize PictureBox::decodeSize() const {
    const QSize shown = size().isValid() && !size().isEmpty() ? size() : preferredSize_;
    return shown.expandedTo(preferredSize_) * devicePixelRatioF();
}

void PictureBox::loadFile(const QString& path) {
    QString error;
    QSize fullSize;
    QImage decoded = decodeToFit(path, decodeSize(), &error, &fullSize);
    if (decoded.isNull())
        throw AppError(ErrorNumber::InvalidPicture, kAppErrorSource,
                       QStringLiteral("Не удалось показать снимок %1: %2")
                           .arg(QFileInfo(path).fileName(), error));
    image_ = std::move(decoded);
    fullSize_ = fullSize;
    path_ = path;
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A box grown beyond the decoded picture decodes it again, sharp at the new size.
    const QSize wanted = decodeSize();
    const bool shrunk = fullSize_.width() > image_.width();
    if (shrunk && image_.width() < wanted.width() * 3 / 4 &&
        image_.height() < wanted.height() * 3 / 4) {
        QImage decoded = decodeToFit(path_, wanted);
        if (!decoded.isNull())
            image_ = std::move(decoded);
    }
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
