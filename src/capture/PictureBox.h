#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace snapdeck {

// A picture box that shows a JPEG file scaled to the box. The file is decoded at the
// box's size (the JPEG decoder scales while decoding), not at full size and then
// shrunk: an 8-megapixel picture shows in a fraction of the time.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& accessibleName, QSize preferredSize, QWidget* parent = nullptr);

    // Replaces the picture shown with the file's. Raises AppError when the file cannot be
    // read as a picture; the previous picture then stays.
    void loadFile(const QString& path);

    const QImage& image() const { return image_; }
    const QString& fileName() const { return path_; }

    QSize sizeHint() const override { return preferredSize_; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width * 3 / 4; }

    // Decodes a JPEG file at the size that fits in "box", keeping the aspect ratio.
    // "fullSize" receives the picture's own size.
    static QImage decodeToFit(const QString& path, QSize box, QString* error = nullptr,
                              QSize* fullSize = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize decodeSize() const;

    QSize preferredSize_;
    QImage image_;
    QSize fullSize_;
    QString path_;
};

} // namespace snapdeck
