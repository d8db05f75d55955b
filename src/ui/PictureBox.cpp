#include "PictureBox.h"

#include "FocusCheck.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QThreadPool>
#include <algorithm>

namespace snapdeck {

namespace {
// An arrow key moves the checked spot by this share of the picture.
constexpr double kSpotStep = 0.05;
} // namespace

PictureBox::PictureBox(const QString& accessibleName, QSize preferredSize, QWidget* parent)
    : QWidget(parent), preferredSize_(preferredSize) {
    setAccessibleName(accessibleName);
    setMinimumSize(preferredSize / 4);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PictureBox::allowFocusCheck() {
    focusCheckAllowed_ = true;
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setAccessibleDescription(tr("Щелчок, пробел или Enter: проверка резкости в масштабе 100%, "
                                "стрелки двигают место проверки"));
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
    const bool measure = measuresHistogram_;
    QPointer<PictureBox> box(this);
    QThreadPool::globalInstance()->start([box, path, size, request, measure] {
        QSize fullSize;
        QImage decoded = decodeToFit(path, size, &fullSize);
        LuminanceHistogram histogram;
        if (measure)
            histogram = LuminanceHistogram::of(decoded);
        QMetaObject::invokeMethod(
            box,
            [box, path, fullSize, request, decoded = std::move(decoded), histogram]() mutable {
                // Only the newest picture is shown; an older decode that ends late is dropped.
                if (!box || request != box->pending_)
                    return;
                box->shown_ = request;
                if (decoded.isNull())
                    return;
                box->still_ = std::move(decoded);
                box->liveFrame_ = QImage();
                box->histogram_ = histogram;
                box->fullSize_ = fullSize;
                if (box->path_ != path)
                    box->fullPicture_ = QImage();
                box->path_ = path;
                if (box->focusChecking())
                    box->decodeFullPicture();
                box->update();
                emit box->pictureShown();
            },
            Qt::QueuedConnection);
    });
}

// The full-size picture for the focus check, decoded once per file on a worker.
void PictureBox::decodeFullPicture() {
    const bool asked = fullPath_ == path_ && (!fullPicture_.isNull() || fullPending_ != fullShown_);
    if (path_.isEmpty() || asked)
        return;
    fullPath_ = path_;
    const quint64 request = ++fullPending_;
    QPointer<PictureBox> box(this);
    QThreadPool::globalInstance()->start([box, path = path_, request] {
        QImage decoded = decodeToFit(path, QSize());
        QMetaObject::invokeMethod(
            box,
            [box, path, request, decoded = std::move(decoded)]() mutable {
                if (!box || request != box->fullPending_)
                    return;
                box->fullShown_ = request;
                if (box->path_ != path)
                    return;
                box->fullPicture_ = std::move(decoded);
                box->update();
            },
            Qt::QueuedConnection);
    });
}

void PictureBox::showLiveFrame(const QImage& frame, quint64 number) {
    if (frame.isNull())
        return;
    // A file still decoding would hide the live picture once done.
    shown_ = ++pending_;
    liveFrame_ = frame;
    liveNumber_ = number;
    update();
}

void PictureBox::endLiveView() {
    if (liveFrame_.isNull())
        return;
    liveFrame_ = QImage();
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A box grown beyond the decoded picture decodes it again, sharp at the new size.
    const QSize wanted = decodeSize();
    const bool shrunk = fullSize_.width() > still_.width();
    if (!decoding() && shrunk && still_.width() < wanted.width() * 3 / 4 &&
        still_.height() < wanted.height() * 3 / 4)
        decode(path_, wanted);
}

// The box keeps the camera's 4:3 shape whatever room the layout gives it.
QRect PictureBox::fittedRect() const {
    const QImage& shown = image();
    const QSize shape = shown.isNull() ? QSize(4, 3) : shown.size();
    const QSize fitted = shape.scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, 0), fitted);
}

QSize PictureBox::viewPixels() const {
    return fittedRect().size() * devicePixelRatioF();
}

// A frame no larger than the box gains nothing at 100%: the picture taken shows instead.
bool PictureBox::liveFrameIsSmall() const {
    const QSize view = viewPixels();
    return liveFrame_.width() <= view.width() && liveFrame_.height() <= view.height();
}

bool PictureBox::focusOnPictureTaken() const {
    return !showingLive() || (liveFrameIsSmall() && !fullPicture_.isNull());
}

const QImage& PictureBox::focusSource() const {
    if (showingLive() && !focusOnPictureTaken())
        return liveFrame_;
    return fullPicture_.isNull() ? image() : fullPicture_;
}

QRect PictureBox::focusCrop() const {
    if (!spot_)
        return {};
    return focusCheckCrop(focusSource().size(), viewPixels(), *spot_);
}

void PictureBox::startFocusCheck(QPointF spot) {
    if (image().isNull())
        return;
    spot_ = QPointF(std::clamp(spot.x(), 0.0, 1.0), std::clamp(spot.y(), 0.0, 1.0));
    if (!showingLive() || liveFrameIsSmall())
        decodeFullPicture();
    update();
}

void PictureBox::endFocusCheck() {
    if (!spot_)
        return;
    spot_.reset();
    update();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (!focusCheckAllowed_ || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (focusChecking()) {
        endFocusCheck();
        return;
    }
    const QRect fitted = fittedRect();
    const QPointF at = event->position() - fitted.topLeft();
    startFocusCheck(
        QPointF(at.x() / std::max(1, fitted.width()), at.y() / std::max(1, fitted.height())));
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    if (!focusCheckAllowed_) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focusChecking())
            endFocusCheck();
        else
            startFocusCheck(QPointF(0.5, 0.5));
        return;
    case Qt::Key_Escape:
        if (focusChecking()) {
            endFocusCheck();
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (focusChecking()) {
            const double dx = event->key() == Qt::Key_Left    ? -kSpotStep
                              : event->key() == Qt::Key_Right ? kSpotStep
                                                              : 0.0;
            const double dy = event->key() == Qt::Key_Up     ? -kSpotStep
                              : event->key() == Qt::Key_Down ? kSpotStep
                                                             : 0.0;
            startFocusCheck(*spot_ + QPointF(dx, dy));
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // An empty box shows as a dark frame.
    const QRect target = fittedRect();
    const QImage& shown = image();
    if (shown.isNull()) {
        painter.fillRect(target, palette().dark());
        return;
    }
    if (spot_) {
        // One picture pixel on one screen pixel, centred where the part is smaller.
        const QImage& source = focusSource();
        const QRect crop = focusCheckCrop(source.size(), viewPixels(), *spot_);
        const QSizeF onScreen = QSizeF(crop.size()) / devicePixelRatioF();
        const QPointF corner(target.x() + (target.width() - onScreen.width()) / 2,
                             target.y() + (target.height() - onScreen.height()) / 2);
        painter.fillRect(target, palette().dark());
        painter.drawImage(QRectF(corner, onScreen), source, crop);
    } else if (target.size() == shown.size()) {
        painter.drawImage(target.topLeft(), shown);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, shown);
    }
    if (showingLive())
        emit livePainted(liveNumber_);
}

} // namespace snapdeck
