#include "SimulatedScene.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>

namespace snapdeck {

namespace {

// The scene is drawn on a 4:3 canvas of these units, whatever the picture size.
constexpr double kCanvasWidth = 1600.0;
constexpr double kCanvasHeight = 1200.0;
constexpr double kHorizon = 720.0;

// Sensor noise at ISO 100, in levels of the 0..255 scale (peak of a triangular spread).
constexpr int kLumaNoise = 16;
constexpr int kChromaNoise = 5;

// A small fast generator: the scene's fixed details use a fixed seed, the sensor
// noise a seed of its own per picture.
struct XorShift64 {
    quint64 state;
    explicit XorShift64(quint64 seed) : state(seed ? seed : 0x9E3779B97F4A7C15ULL) {}
    quint64 next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    double uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(next() >> 11) * 0x1.0p-53;
    }
};

void drawSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHorizon);
    sky.setColorAt(0.0, QColor(52, 104, 186));
    sky.setColorAt(0.7, QColor(128, 172, 222));
    sky.setColorAt(1.0, QColor(196, 218, 236));
    p.fillRect(QRectF(0, 0, kCanvasWidth, kHorizon + 2), sky);

    QRadialGradient glow(QPointF(1240, 220), 260);
    glow.setColorAt(0.0, QColor(255, 252, 230, 255));
    glow.setColorAt(0.25, QColor(255, 246, 200, 230));
    glow.setColorAt(0.3, QColor(255, 236, 170, 120));
    glow.setColorAt(1.0, QColor(255, 236, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(1240, 220), 260, 260);
}

void drawClouds(QPainter& p) {
    XorShift64 random(7);
    const std::array<QPointF, 4> centres = {QPointF(260, 170), QPointF(640, 90), QPointF(980, 300),
                                            QPointF(1450, 420)};
    for (const QPointF& centre : centres) {
        for (int puff = 0; puff < 7; ++puff) {
            const QPointF at = centre + QPointF(random.uniform(-120, 120), random.uniform(-25, 25));
            const double radius = random.uniform(35, 70);
            QRadialGradient cloud(at, radius);
            cloud.setColorAt(0.0, QColor(255, 255, 255, 220));
            cloud.setColorAt(0.7, QColor(240, 244, 250, 150));
            cloud.setColorAt(1.0, QColor(230, 236, 246, 0));
            p.setBrush(cloud);
            p.drawEllipse(at, radius * 1.6, radius);
        }
    }
}

QPainterPath ridge(double base, double height, double wavelength, double phase) {
    QPainterPath path(QPointF(0, kCanvasHeight));
    for (double x = 0; x <= kCanvasWidth; x += 10) {
        const double y = base - height * (0.6 * std::sin(x / wavelength + phase) +
                                          0.4 * std::sin(x / (wavelength * 0.37) + 2 * phase));
        path.lineTo(x, y);
    }
    path.lineTo(kCanvasWidth, kCanvasHeight);
    path.closeSubpath();
    return path;
}

// Speckles of light and shade that give the fields their fine texture; part of the
// scene, so they grow with the zoom and soften out of focus.
const QImage& fieldTexture() {
    static const QImage texture = [] {
        QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
        XorShift64 random(99);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const quint64 bits = random.next();
                const int alpha = static_cast<int>(bits & 0x7F) + 8;
                const bool light = (bits >> 8) & 1;
                line[x] = light ? qPremultiply(qRgba(200, 230, 120, alpha))
                                : qPremultiply(qRgba(10, 40, 0, alpha));
            }
        }
        return image;
    }();
    return texture;
}

// "texture" is how much of the fine texture survives the optics (1 = all of it).
void drawLand(QPainter& p, double texture) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 142, 160));
    p.drawPath(ridge(650, 70, 210, 0.4));
    p.setBrush(QColor(92, 128, 96));
    p.drawPath(ridge(700, 40, 140, 1.9));

    QLinearGradient field(0, kHorizon - 30, 0, kCanvasHeight);
    field.setColorAt(0.0, QColor(104, 146, 70));
    field.setColorAt(1.0, QColor(62, 112, 40));
    p.setBrush(field);
    const QPainterPath meadow = ridge(745, 18, 90, 3.1);
    p.drawPath(meadow);
    QBrush speckles(fieldTexture());
    speckles.setTransform(QTransform::fromScale(0.5, 0.5));
    p.setBrush(speckles);
    p.setOpacity(texture);
    p.drawPath(meadow);
    p.setOpacity(1.0);

    // A road to the village.
    QPolygonF road;
    road << QPointF(560, kCanvasHeight) << QPointF(940, kCanvasHeight) << QPointF(812, 760)
         << QPointF(788, 760);
    p.setBrush(QColor(150, 134, 112));
    p.drawPolygon(road);
}

void drawHouse(QPainter& p, QRectF walls, QColor wall, QColor roof) {
    p.setPen(QPen(QColor(40, 34, 30), 1.5));
    p.setBrush(wall);
    p.drawRect(walls);
    QPolygonF gable;
    gable << QPointF(walls.left() - 8, walls.top()) << QPointF(walls.right() + 8, walls.top())
          << QPointF(walls.center().x(), walls.top() - walls.height() * 0.6);
    p.setBrush(roof);
    p.drawPolygon(gable);
    p.setBrush(QColor(250, 230, 150));
    const double w = walls.width() / 7;
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            p.drawRect(QRectF(walls.left() + w * (1 + 2 * column),
                              walls.top() + walls.height() * (0.18 + 0.42 * row), w,
                              walls.height() * 0.24));
}

// The village is the main subject, right in the middle of the frame, so that the
// zoom closes in on it.
void drawVillage(QPainter& p) {
    drawHouse(p, QRectF(600, 690, 90, 60), QColor(226, 210, 180), QColor(150, 60, 44));
    drawHouse(p, QRectF(700, 700, 70, 52), QColor(236, 236, 226), QColor(80, 80, 96));
    drawHouse(p, QRectF(840, 694, 80, 58), QColor(214, 190, 150), QColor(130, 52, 40));
    drawHouse(p, QRectF(930, 706, 60, 44), QColor(240, 226, 200), QColor(96, 70, 60));

    // The church tower at the very centre.
    p.setPen(QPen(QColor(40, 34, 30), 1.5));
    p.setBrush(QColor(244, 240, 232));
    p.drawRect(QRectF(778, 580, 44, 172));
    QPolygonF spire;
    spire << QPointF(772, 580) << QPointF(828, 580) << QPointF(800, 500);
    p.setBrush(QColor(70, 96, 84));
    p.drawPolygon(spire);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(800, 610), 12, 12);
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.drawLine(QPointF(800, 610), QPointF(800, 601));
    p.drawLine(QPointF(800, 610), QPointF(807, 612));
    p.setPen(QPen(QColor(60, 50, 40), 1));
    p.setBrush(QColor(60, 50, 40));
    p.drawRect(QRectF(792, 720, 16, 32));
}

void drawTree(QPainter& p, QPointF foot, double height) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(84, 60, 36));
    p.drawRect(
        QRectF(foot.x() - height * 0.05, foot.y() - height * 0.45, height * 0.1, height * 0.45));
    QRadialGradient crown(foot - QPointF(height * 0.1, height * 0.75), height * 0.45);
    crown.setColorAt(0.0, QColor(96, 150, 60));
    crown.setColorAt(1.0, QColor(36, 84, 30));
    p.setBrush(crown);
    p.drawEllipse(foot - QPointF(0, height * 0.68), height * 0.32, height * 0.36);
}

void drawForeground(QPainter& p) {
    drawTree(p, QPointF(300, 900), 300);
    drawTree(p, QPointF(1330, 960), 380);
    drawTree(p, QPointF(560, 760), 90);
    drawTree(p, QPointF(1040, 760), 80);

    // A fence along the field.
    p.setPen(QPen(QColor(110, 84, 56), 5));
    for (double x = 60; x < 560; x += 34)
        p.drawLine(QPointF(x, 1010 - x * 0.1), QPointF(x, 1060 - x * 0.1));
    p.drawLine(QPointF(50, 1020), QPointF(560, 970));
    p.drawLine(QPointF(50, 1042), QPointF(560, 992));

    // A few things lying about.
    QRadialGradient ball(QPointF(1010, 1080), 40);
    ball.setColorAt(0.0, QColor(250, 110, 90));
    ball.setColorAt(1.0, QColor(150, 20, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(ball);
    p.drawEllipse(QPointF(1020, 1090), 36, 36);
    p.setBrush(QColor(230, 190, 40));
    p.drawRect(QRectF(1120, 1020, 120, 16));
    p.drawRect(QRectF(1130, 1036, 10, 40));
    p.drawRect(QRectF(1220, 1036, 10, 40));
}

// Blades of grass: fine detail that grows larger towards the camera.
void drawGrass(QPainter& p) {
    XorShift64 random(42);
    for (int blade = 0; blade < 1600; ++blade) {
        const double depth = random.uniform(0, 1);
        const double y = kHorizon + 40 + depth * depth * (kCanvasHeight - kHorizon - 40);
        const double x = random.uniform(0, kCanvasWidth);
        if (std::abs(x - 800) < 20 + 190 * (y - 760) / (kCanvasHeight - 760))
            continue; // none on the road
        const double length = 4 + 30 * depth;
        const int shade = static_cast<int>(random.uniform(-30, 30));
        p.setPen(QPen(QColor(70 + shade, 130 + shade, 40), 0.8 + 1.6 * depth));
        p.drawLine(QPointF(x, y), QPointF(x + random.uniform(-0.4, 0.4) * length, y - length));
    }
}

void drawScene(QImage& image, double magnification, double texture) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = image.width() / kCanvasWidth * std::max(1.0, magnification);
    p.translate(image.width() / 2.0, image.height() / 2.0);
    p.scale(scale, scale);
    p.translate(-kCanvasWidth / 2, -kCanvasHeight / 2);
    drawSky(p);
    drawClouds(p);
    drawLand(p, texture);
    drawVillage(p);
    drawForeground(p);
    drawGrass(p);
}

// Out of focus: the scene drawn small and enlarged smoothly; the blur averages the
// fine texture away rather than enlarging it.
QImage renderOptics(const SceneLook& look) {
    const double softening = 1.0 + std::max(0, std::abs(look.focusError) - 4) / 12.0;
    const QSize drawn(std::max(16, static_cast<int>(look.size.width() / softening)),
                      std::max(12, static_cast<int>(look.size.height() / softening)));
    QImage image(drawn, QImage::Format_RGB32);
    drawScene(image, look.magnification, 1.0 / softening);
    if (drawn != look.size)
        image = image.scaled(look.size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

// Colour cast of each white-balance setting on a daylight scene: the camera corrects
// for a light that is not there.
std::array<double, 3> whiteBalanceCast(WhiteBalance balance) {
    switch (balance) {
    case WhiteBalance::Daylight:
        return {1.03, 1.0, 0.97};
    case WhiteBalance::Fluorescent:
        return {1.06, 0.88, 1.12};
    case WhiteBalance::Incandescent:
        return {0.72, 0.92, 1.38};
    case WhiteBalance::FluorescentDaylight:
        return {0.94, 0.97, 1.1};
    case WhiteBalance::FluorescentNeutral:
        return {1.0, 0.92, 1.06};
    case WhiteBalance::FluorescentWhite:
        return {1.04, 0.91, 1.0};
    case WhiteBalance::Cloudy:
        return {1.14, 1.0, 0.84};
    case WhiteBalance::Auto:
        break;
    }
    return {1.0, 1.0, 1.0};
}

// Exposure and white balance act on linear light; the lookup tables take the encoded
// levels there and back.
std::array<std::array<uchar, 256>, 3> toneTables(const SceneLook& look) {
    const double gain = std::exp2(look.exposureStops);
    const std::array<double, 3> cast = whiteBalanceCast(look.whiteBalance);
    std::array<std::array<uchar, 256>, 3> tables{};
    for (int channel = 0; channel < 3; ++channel) {
        for (int level = 0; level < 256; ++level) {
            const double linear = std::pow(level / 255.0, 2.2) * gain * cast[channel];
            const double encoded = std::pow(std::min(1.0, linear), 1 / 2.2);
            tables[channel][level] = static_cast<uchar>(std::lround(encoded * 255));
        }
    }
    return tables;
}

inline int clampLevel(int value) {
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

// The sensor: noise on every pixel, then exposure and white balance.
void exposeSensor(QImage& image, const SceneLook& look) {
    const auto tables = toneTables(look);
    const double isoFactor = 1.0 + 0.3 * std::log2(std::max(50, look.isoSpeed) / 100.0);
    const int luma = static_cast<int>(kLumaNoise * isoFactor * 256 / 255);
    const int chroma = static_cast<int>(kChromaNoise * isoFactor * 256 / 128);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        XorShift64 random(look.noiseSeed ^ (0x9E3779B97F4A7C15ULL * static_cast<quint64>(y + 1)));
        for (int x = 0; x < width; x += 2) {
            quint64 bits = random.next();
            for (int half = 0; half < 2 && x + half < width; ++half, bits >>= 32) {
                const auto byte = [bits](int index) {
                    return static_cast<int>((bits >> (8 * index)) & 0xFF);
                };
                const int n = ((byte(0) + byte(1) - 255) * luma) >> 8;
                const int red = ((byte(2) - 128) * chroma) >> 8;
                const int blue = ((byte(3) - 128) * chroma) >> 8;
                const QRgb pixel = line[x + half];
                line[x + half] = qRgb(tables[0][clampLevel(qRed(pixel) + n + red)],
                                      tables[1][clampLevel(qGreen(pixel) + n)],
                                      tables[2][clampLevel(qBlue(pixel) + n + blue)]);
            }
        }
    }
}

// The date imprint; fonts need a GUI application, without one the picture has none.
void imprintCaption(QImage& image, const QString& caption) {
    if (caption.isEmpty() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(std::max(9, image.height() / 30));
    font.setBold(true);
    p.setFont(font);
    const int margin = std::max(4, image.height() / 60);
    const QRect area = image.rect().adjusted(margin, margin, -margin, -margin);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(area.translated(1, 1), Qt::AlignRight | Qt::AlignBottom, caption);
    p.setPen(QColor(255, 168, 40));
    p.drawText(area, Qt::AlignRight | Qt::AlignBottom, caption);
}

} // namespace

QImage renderScene(const SceneLook& look) {
    QImage image = renderOptics(look);
    exposeSensor(image, look);
    imprintCaption(image, look.caption);
    return image;
}

QByteArray renderSceneJpeg(const SceneLook& look) {
    const QImage image = renderScene(look);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(look.jpegQuality);
    if (!look.comment.isEmpty())
        writer.setText(kSceneCommentKey, look.comment);
    if (!writer.write(image))
        return {};
    return bytes;
}

} // namespace snapdeck
