#include "SimulatedCameraConfig.h"

#include "common/TextCut.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <limits>
#include <optional>

namespace snapdeck {

namespace {

constexpr int kNoLimit = std::numeric_limits<int>::max();
// A model name is a short label on a camera; a longer one is cut, never split inside
// a character that takes two UTF-16 units.
constexpr qsizetype kLongestModel = 64;

QString modelName(const QString& text) {
    return cutText(text, kLongestModel);
}

std::optional<int> numberInRange(const QString& text, int minimum, int maximum) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

// A bad or out-of-range number keeps the default.
void applyNumber(int& field, const QString& text, int minimum, int maximum = kNoLimit) {
    if (const auto value = numberInRange(text, minimum, maximum))
        field = *value;
}

// "WxH" within the sizes a camera's screen streams; "off" for none. Anything else
// keeps the default.
void applyFrameSize(QSize& field, const QString& text) {
    if (text.compare(u"off", Qt::CaseInsensitive) == 0) {
        field = QSize();
        return;
    }
    const QStringList sides = text.split(u'x', Qt::KeepEmptyParts, Qt::CaseInsensitive);
    if (sides.size() != 2)
        return;
    const auto width = numberInRange(sides[0].trimmed(), 16, 4096);
    const auto height = numberInRange(sides[1].trimmed(), 16, 4096);
    if (width && height)
        field = QSize(*width, *height);
}

} // namespace

SimulatedCameraConfig SimulatedCameraConfig::fromText(const QString& text) {
    SimulatedCameraConfig config;
    const QStringList lines = text.split(u'\n');
    for (const QString& rawLine : lines) {
        const qsizetype equals = rawLine.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString key = rawLine.left(equals).trimmed().toLower();
        const QString value = rawLine.mid(equals + 1).trimmed();
        if (key == u"cameras")
            applyNumber(config.cameras, value, 0);
        else if (key == u"initialize")
            config.initializeFails = value.compare(u"fail", Qt::CaseInsensitive) == 0;
        else if (key == u"model" && !value.isEmpty())
            config.model = modelName(value);
        else if (key == u"battery")
            applyNumber(config.battery, value, 0, 100);
        else if (key == u"capacity")
            applyNumber(config.capacity, value, 0);
        else if (key == u"zoom_step")
            applyNumber(config.zoomStep, value, 1);
        else if (key == u"live_view")
            applyFrameSize(config.liveViewSize, value);
    }
    return config;
}

SimulatedCameraConfig SimulatedCameraConfig::fromFolder(const QString& folder) {
    // A few short lines: only a regular file is opened (a pipe would block the start),
    // and only its beginning is read (a huge file or a device would fill the memory).
    constexpr qint64 kMostBytes = 64 * 1024;
    const QString path = folder + QStringLiteral("/camera.ini");
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return fromText(QString::fromUtf8(file.read(kMostBytes)));
}

} // namespace snapdeck
