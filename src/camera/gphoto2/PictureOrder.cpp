#include "PictureOrder.h"

#include <algorithm>

namespace snapdeck::gphoto2 {

namespace {

QString withoutLeadingZeros(const QString& digits) {
    int first = 0;
    while (first < digits.size() - 1 && digits[first] == u'0')
        ++first;
    return digits.mid(first);
}

// Compares texts with runs of digits compared as numbers: IMG_9 before IMG_10.
int compareNatural(const QString& a, const QString& b) {
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int endA = i, endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            const QString numberA = withoutLeadingZeros(a.mid(i, endA - i));
            const QString numberB = withoutLeadingZeros(b.mid(j, endB - j));
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size() ? -1 : 1;
            if (const int order = numberA.compare(numberB); order != 0)
                return order;
            i = endA;
            j = endB;
            continue;
        }
        const int order = QString::compare(a.mid(i, 1), b.mid(j, 1), Qt::CaseInsensitive);
        if (order != 0)
            return order;
        ++i;
        ++j;
    }
    return (a.size() - i) - (b.size() - j);
}

} // namespace

bool isJpegName(const QString& name) {
    return name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".jpe"), Qt::CaseInsensitive);
}

QList<CardPicture> picturesNewestLast(QList<CardPicture> pictures,
                                      const std::optional<CardPicture>& newest) {
    pictures.erase(std::remove_if(pictures.begin(), pictures.end(),
                                  [](const CardPicture& p) { return !isJpegName(p.name); }),
                   pictures.end());
    std::stable_sort(pictures.begin(), pictures.end(),
                     [&](const CardPicture& a, const CardPicture& b) {
                         const bool aNewest = newest && a == *newest;
                         const bool bNewest = newest && b == *newest;
                         if (aNewest != bNewest)
                             return bNewest;
                         if (const int order = compareNatural(a.folder, b.folder); order != 0)
                             return order < 0;
                         return compareNatural(a.name, b.name) < 0;
                     });
    return pictures;
}

QList<CardPicture> picturesAdded(const QList<CardPicture>& before,
                                 const QList<CardPicture>& after) {
    QList<CardPicture> added;
    for (const CardPicture& picture : after) {
        if (!before.contains(picture))
            added.append(picture);
    }
    return added;
}

} // namespace snapdeck::gphoto2
