#pragma once

#include "engine/live/LuminanceHistogram.h"

#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <optional>

namespace snapdeck {

// A picture box that shows a JPEG file scaled to the box. The file is decoded at the
// box's size (the JPEG decoder scales while decoding) on a worker thread, so that the
// window never waits for a large picture; a newer file replaces one still decoding.
//
// The large box also shows live view: frames come decoded and are only painted, the
// newest replacing one not yet painted. With the focus check allowed, a click (or Space
// or Enter) shows the spot at 100%: the live frame's own pixels, or the last picture
// taken at full size when the frames are no larger than the box; a second click goes
// back, and the arrow keys move the spot.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& accessibleName, QSize preferredSize, QWidget* parent = nullptr);

    // Shows the file's picture once it is decoded; a file that cannot be decoded leaves
    // the picture shown before. Ends live view in the box.
    void showFile(const QString& path);
    // Shows a live frame at once; "number" comes back with livePainted().
    void showLiveFrame(const QImage& frame, quint64 number);
    // Live view stopped: the last picture taken shows again.
    void endLiveView();

    // Clicks and keys check the focus at 100%; the box then takes keyboard focus.
    void allowFocusCheck();
    // Also measures the luminance of each file decoded (on the worker).
    void measureHistograms() { measuresHistogram_ = true; }

    // What is shown: the live frame in live view, else the decoded file.
    const QImage& image() const { return showingLive() ? liveFrame_ : still_; }
    const QString& fileName() const { return path_; }
    bool showingLive() const { return !liveFrame_.isNull(); }
    // The decoded file's histogram, when measured.
    const LuminanceHistogram& histogram() const { return histogram_; }
    // True while a decode is under way.
    bool decoding() const { return pending_ != shown_ || fullPending_ != fullShown_; }

    bool focusChecking() const { return spot_.has_value(); }
    // In the focus check: the picture shown at 100%, and the part of it in view.
    QSize focusSourceSize() const { return focusSource().size(); }
    bool focusOnPictureTaken() const;
    QRect focusCrop() const;

    QSize sizeHint() const override { return preferredSize_; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width * 3 / 4; }

    // Decodes a JPEG file at the size that fits in "box", keeping the aspect ratio; an
    // invalid box decodes it at full size. "fullSize" receives the picture's own size.
    static QImage decodeToFit(const QString& path, QSize box, QSize* fullSize = nullptr);

signals:
    // A picture was decoded and is now shown.
    void pictureShown();
    // A live frame was painted.
    void livePainted(quint64 number);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize decodeSize() const;
    void decode(const QString& path, QSize size);
    void decodeFullPicture();
    QRect fittedRect() const;
    void startFocusCheck(QPointF spot);
    void endFocusCheck();
    // The picture the focus check shows at 100%.
    const QImage& focusSource() const;
    bool liveFrameIsSmall() const;
    QSize viewPixels() const;

    QSize preferredSize_;
    QImage still_;
    QImage liveFrame_;
    quint64 liveNumber_ = 0;
    QSize fullSize_;
    QString path_;
    LuminanceHistogram histogram_;
    bool measuresHistogram_ = false;
    quint64 pending_ = 0; // the newest decode asked for
    quint64 shown_ = 0;   // the decode whose picture is shown

    bool focusCheckAllowed_ = false;
    std::optional<QPointF> spot_;
    QImage fullPicture_; // the file at full size, for the focus check
    QString fullPath_;
    quint64 fullPending_ = 0;
    quint64 fullShown_ = 0;
};

} // namespace snapdeck
