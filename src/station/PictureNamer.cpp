#include "PictureNamer.h"

#include <ctime>

namespace snapdeck {

namespace {

// The pattern with %n replaced by the counter, "%%" left for strftime.
QByteArray withCounter(const QString& pattern, qint64 counter) {
    QString result;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == u'n') {
                result += QString::number(counter);
                ++i;
                continue;
            }
            result += pattern[i];
            result += pattern[++i];
            continue;
        }
        result += pattern[i];
    }
    return result.toUtf8();
}

QString formatted(const QByteArray& format, const QDateTime& moment) {
    const std::time_t seconds = std::time_t(moment.toSecsSinceEpoch());
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[512];
    const size_t length = std::strftime(text, sizeof text, format.constData(), &local);
    return QString::fromUtf8(text, qsizetype(length));
}

} // namespace

QString stationPictureName(const QString& pattern, const QDateTime& moment, qint64 counter,
                           const std::function<bool(const QString&)>& isTaken) {
    QString stem = formatted(withCounter(pattern, counter), moment);
    stem.replace(u'/', u'_');
    if (stem.isEmpty())
        stem = QString::number(counter);
    const QString extension = QStringLiteral(".jpg");
    QString name = stem + extension;
    for (int suffix = 2; isTaken(name); ++suffix)
        name = stem + u'-' + QString::number(suffix) + extension;
    return name;
}

} // namespace snapdeck
