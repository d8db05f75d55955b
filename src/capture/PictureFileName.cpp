#include "PictureFileName.h"

#include "common/DateTimeText.h"

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

} // namespace snapdeck
