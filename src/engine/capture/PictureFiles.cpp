#include "PictureFiles.h"

#include "JpegHeader.h"
#include "common/AppError.h"
#include "common/DateTimeText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace snapdeck {

QString datedPictureName(const QDateTime& moment, const QLocale& locale,
                         const std::function<bool(const QString&)>& isTaken) {
    QString stem = generalDateText(moment, locale);
    for (QChar& c : stem)
        if (c == u'.' || c == u':' || c.isSpace() || c == u'/' || c == u'\\')
            c = u'_';
    const QString extension = QStringLiteral(".jpg");
    QString name = stem + extension;
    for (int suffix = 2; isTaken(name); ++suffix)
        name = stem + u'_' + QString::number(suffix) + extension;
    return name;
}

void checkShowable(const QString& path) {
    // A camera's JPEG is checked by its segments alone: Qt's reader would read every
    // comment on the way to the frame header.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && jpegFrameSize(file))
        return;
    file.close();
    QImageReader reader(path);
    if (reader.canRead() && reader.size().isValid())
        return;
    throw AppError(ErrorNumber::InvalidPicture, kAppErrorSource,
                   QCoreApplication::translate("PictureFiles", "Не удалось показать снимок %1: %2")
                       .arg(QFileInfo(path).fileName(), reader.errorString()));
}

} // namespace snapdeck
