#include "PictureLedger.h"

#include "camera/simulator/SimulatedScene.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <algorithm>
#include <set>

namespace snapdeck::soak {

namespace {

QFileInfoList jpegFiles(const QString& folder) {
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.jpg"), QStringLiteral("*.JPG")});
    dir.setFilter(QDir::Files);
    return dir.entryInfoList(QDir::Files, QDir::Name);
}

// The picture's number when the whole file decodes.
std::optional<quint64> soundPicture(const QString& path) {
    QImageReader reader(path);
    const std::optional<quint64> shot = shotNumberOf(path);
    if (!shot || reader.read().isNull())
        return std::nullopt;
    return shot;
}

} // namespace

std::optional<quint64> shotNumberOf(const QString& path) {
    static const QRegularExpression shot(QStringLiteral("; shot (\\d+)$"));
    QImageReader reader(path);
    const QRegularExpressionMatch match = shot.match(reader.text(kSceneCommentKey));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toULongLong();
}

PictureLedger::PictureLedger(QString cardFolder, int pictures)
    : cardFolder_(std::move(cardFolder)) {
    // Filled once, so that the pages are the process's before its memory is measured.
    // The camera takes more than the run stores: a picture a fault left on the card, or
    // one the user stopped waiting for, is taken again at the next shot.
    taken_.resize(static_cast<size_t>(pictures) * 3 / 2 + 64);
    taken_.clear();
}

void PictureLedger::noteTaken() {
    // Card file numbers only grow while pictures are on the card: the newest is last.
    const QFileInfoList card = jpegFiles(cardFolder_);
    const std::optional<quint64> shot =
        card.isEmpty() ? std::nullopt : shotNumberOf(card.last().absoluteFilePath());
    if (shot && (taken_.empty() || *shot > taken_.back()))
        taken_.push_back(*shot);
    else
        ++unidentified_; // counted as lost: nobody can say where it is
}

PictureCount PictureLedger::count(const QString& workFolder) const {
    PictureCount count;
    count.taken = taken();

    std::set<quint64> onDisk;
    for (const QFileInfo& file :
         QDir(workFolder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (file.fileName().startsWith(u'.')) {
            ++count.temporaryFiles;
            continue;
        }
        if (file.suffix().compare(QStringLiteral("jpg"), Qt::CaseInsensitive) != 0 ||
            file.fileName() == QStringLiteral("preview.jpg"))
            continue;
        ++count.diskFiles;
        const std::optional<quint64> shot = soundPicture(file.absoluteFilePath());
        if (!shot)
            ++count.damaged;
        else if (!onDisk.insert(*shot).second)
            ++count.duplicatesOnDisk;
    }
    std::set<quint64> onCard;
    for (const QFileInfo& file : jpegFiles(cardFolder_)) {
        const std::optional<quint64> shot = soundPicture(file.absoluteFilePath());
        if (!shot)
            ++count.damaged;
        else
            onCard.insert(*shot);
    }

    count.onDisk = static_cast<int>(onDisk.size());
    count.onCard = static_cast<int>(onCard.size());
    for (const quint64 shot : taken_) {
        const bool disk = onDisk.count(shot) > 0;
        const bool card = onCard.count(shot) > 0;
        count.onDiskAndCard += disk && card ? 1 : 0;
        count.lost += !disk && !card ? 1 : 0;
    }
    count.lost += unidentified_;
    for (const std::set<quint64>* kept : {&onDisk, &onCard})
        count.strays += static_cast<int>(std::count_if(kept->begin(), kept->end(), [&](quint64 s) {
            return !std::binary_search(taken_.begin(), taken_.end(), s);
        }));
    return count;
}

} // namespace snapdeck::soak
