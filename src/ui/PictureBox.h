#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace snapdeck {

// A picture box that shows a JPEG file scaled to the box. The file is decoded at the
// box's size (the JPEG decoder scales while decoding) on a worker thread, so that the
// window never waits for a large picture; a newer file replaces one still decoding.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& accessibleName, QSize preferredSize, QWidget* parent = nullptr);

    // Shows the file's picture once it is decoded; a file that cannot be decoded leaves
    // the picture shown before.
    void showFile(const QString& path);

    const QImage& image() const { return image_; }
    const QString& fileName() const { return path_; }
    // True while a decode is under way.
    bool decoding() const { return pending_ != shown_; }

    QSize sizeHint() const override { return preferredSize_; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width * 3 / 4; }

    // Decodes a JPEG file at the size that fits in "box", keeping the aspect ratio.
    // "fullSize" receives the picture's own size.
    static QImage decodeToFit(const QString& path, QSize box, QSize* fullSize = nullptr);

signals:
    // A picture was decoded and is now shown.
    void pictureShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize decodeSize() const;
    void decode(const QString& path, QSize size);

    QSize preferredSize_;
    QImage image_;
    QSize fullSize_;
    QString path_;
    quint64 pending_ = 0; // the newest decode asked for
    quint64 shown_ = 0;   // the decode whose picture is shown
};

} // namespace snapdeck
