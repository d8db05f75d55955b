#include "CardPictures.h"

#include "FileDownload.h"
#include "Gphoto2Errors.h"
#include "Gphoto2Session.h"
#include "LibraryErrorLog.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <gphoto2/gphoto2-list.h>
#include <gphoto2/gphoto2-port-result.h>
#include <gphoto2/gphoto2-result.h>
#include <memory>

namespace snapdeck::gphoto2 {

namespace {

// The average JPEG of a compact camera, for a card that holds no picture to measure.
constexpr std::int64_t kTypicalPictureBytes = 2'500'000;
// Sizes of this many of the newest pictures make the average.
constexpr int kPicturesAveraged = 10;

struct ListRelease {
    void operator()(CameraList* list) const { gp_list_free(list); }
};
using ListPtr = std::unique_ptr<CameraList, ListRelease>;

ListPtr newList() {
    CameraList* list = nullptr;
    gp_list_new(&list);
    return ListPtr(list);
}

QStringList namesOf(CameraList* list) {
    QStringList names;
    for (int i = 0; i < gp_list_count(list); ++i) {
        const char* name = nullptr;
        if (gp_list_get_name(list, i, &name) >= GP_OK && name)
            names << QString::fromUtf8(name);
    }
    return names;
}

QString childFolder(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

CardPictures::CardPictures(Gphoto2Session& session, std::function<void()> reopen,
                           std::function<void()> lifeSign)
    : session_(session), reopen_(std::move(reopen)), lifeSign_(std::move(lifeSign)) {}

void CardPictures::collect(const QString& folder, QList<CardPicture>& found, int depth) {
    const QString action = tr("Снимки на камере не прочитаны");
    const QByteArray path = folder.toUtf8();
    ListPtr files = newList();
    session_.check(gp_camera_folder_list_files(session_.camera(), path.constData(), files.get(),
                                               session_.context()),
                   action);
    for (const QString& name : namesOf(files.get()))
        found.append({folder, name});
    if (lifeSign_)
        lifeSign_();
    // DCIM trees are three levels deep; a loop in a broken file system must end.
    if (depth >= 8)
        return;
    ListPtr folders = newList();
    session_.check(gp_camera_folder_list_folders(session_.camera(), path.constData(), folders.get(),
                                                 session_.context()),
                   action);
    for (const QString& name : namesOf(folders.get()))
        collect(childFolder(folder, name), found, depth + 1);
}

QList<CardPicture> CardPictures::listCard() {
    QList<CardPicture> found;
    collect(QStringLiteral("/"), found, 0);
    return picturesNewestLast(found, newest_);
}

int CardPictures::count() {
    listing_ = listCard();
    listed_ = true;
    if (newest_ && !listing_.contains(*newest_)) {
        const CardPicture missing = *newest_;
        newest_.reset();
        raiseError(Gphoto2Error::CameraRefused,
                   tr("Только что сделанного снимка %1 нет на карте камеры").arg(missing.name));
    }
    return int(listing_.size());
}

int CardPictures::remaining() {
    CameraStorageInformation* storages = nullptr;
    int storageCount = 0;
    const int result =
        gp_camera_get_storageinfo(session_.camera(), &storages, &storageCount, session_.context());
    if (result == GP_ERROR_NOT_SUPPORTED)
        return -1;
    session_.check(result, tr("Свободное место на карте не прочитано"));
    std::int64_t images = 0;
    std::int64_t freeBytes = 0;
    bool imagesKnown = false;
    bool bytesKnown = false;
    for (int i = 0; i < storageCount; ++i) {
        const CameraStorageInformation& storage = storages[i];
        if ((storage.fields & GP_STORAGEINFO_ACCESS) &&
            storage.access != GP_STORAGEINFO_AC_READWRITE)
            continue;
        if (storage.fields & GP_STORAGEINFO_FREESPACEIMAGES) {
            images += std::int64_t(storage.freeimages);
            imagesKnown = true;
        }
        if (storage.fields & GP_STORAGEINFO_FREESPACEKBYTES) {
            freeBytes += std::int64_t(storage.freekbytes) * 1024;
            bytesKnown = true;
        }
    }
    std::free(storages);
    if (!imagesKnown && !bytesKnown)
        return -1;
    if (!imagesKnown) {
        if (!listed_)
            count();
        std::int64_t measured = 0;
        int averaged = 0;
        for (qsizetype i = listing_.size() - 1; i >= 0 && averaged < kPicturesAveraged; --i) {
            CameraFileInfo info;
            const CardPicture& picture = listing_[i];
            if (gp_camera_file_get_info(session_.camera(), picture.folder.toUtf8().constData(),
                                        picture.name.toUtf8().constData(), &info,
                                        session_.context()) >= GP_OK &&
                (info.file.fields & GP_FILE_INFO_SIZE) && info.file.size > 0) {
                measured += std::int64_t(info.file.size);
                ++averaged;
            }
        }
        const std::int64_t average = averaged ? measured / averaged : kTypicalPictureBytes;
        images = freeBytes / std::max<std::int64_t>(average, 1);
    }
    return int(std::min<std::int64_t>(images, INT_MAX));
}

CardPicture CardPictures::pictureAt(int number) {
    if (!listed_)
        count();
    if (number < 1 || number > listing_.size())
        raiseError(Gphoto2Error::BadIndex,
                   tr("На камере нет снимка номер %1 "
                      "(снимков на карте: %2)")
                       .arg(QString::number(number), QString::number(listing_.size())));
    return listing_[number - 1];
}

std::int64_t CardPictures::size(int number) {
    const CardPicture picture = pictureAt(number);
    CameraFileInfo info;
    session_.check(gp_camera_file_get_info(session_.camera(), picture.folder.toUtf8().constData(),
                                           picture.name.toUtf8().constData(), &info,
                                           session_.context()),
                   tr("Размер снимка %1 не прочитан").arg(picture.name));
    if (info.file.fields & GP_FILE_INFO_SIZE)
        return std::int64_t(info.file.size);
    // A driver that does not know the size before the copy: copy it to measure.
    return downloadPicture(session_, picture, {}).size();
}

QByteArray CardPictures::download(
    int number, const std::function<void(std::int64_t done, std::int64_t total)>& chunkArrived) {
    const CardPicture picture = pictureAt(number);
    const std::int64_t total = pictureBytes(picture);
    return downloadPicture(session_, picture, [&](std::int64_t bytesSoFar) {
        if (chunkArrived)
            chunkArrived(bytesSoFar, total);
    });
}

bool CardPictures::isOnCard(const CardPicture& picture) {
    ListPtr files = newList();
    const int result = gp_camera_folder_list_files(
        session_.camera(), picture.folder.toUtf8().constData(), files.get(), session_.context());
    if (result == GP_ERROR_DIRECTORY_NOT_FOUND)
        return false;
    session_.check(result, tr("Удаление снимка %1 не проверено").arg(picture.name));
    return namesOf(files.get()).contains(picture.name);
}

std::int64_t CardPictures::pictureBytes(const CardPicture& picture) {
    CameraFileInfo info;
    if (gp_camera_file_get_info(session_.camera(), picture.folder.toUtf8().constData(),
                                picture.name.toUtf8().constData(), &info,
                                session_.context()) < GP_OK ||
        !(info.file.fields & GP_FILE_INFO_SIZE))
        return 0;
    return std::int64_t(info.file.size);
}

std::optional<std::int64_t> CardPictures::freeKiB() {
    CameraStorageInformation* storages = nullptr;
    int storageCount = 0;
    if (gp_camera_get_storageinfo(session_.camera(), &storages, &storageCount, session_.context()) <
        GP_OK)
        return std::nullopt;
    std::optional<std::int64_t> total;
    for (int i = 0; i < storageCount; ++i) {
        if (storages[i].fields & GP_STORAGEINFO_FREESPACEKBYTES)
            total = total.value_or(0) + std::int64_t(storages[i].freekbytes);
    }
    std::free(storages);
    return total;
}

namespace {

// "'ptp_deleteobject(params, oid, 0)' failed: PTP Access Denied (0x200f)": the camera's
// answer, without the driver's call.
QString refusalReason(const QStringList& logged) {
    const QString& line = logged.first();
    const QString failed = QStringLiteral("failed: ");
    const qsizetype at = line.lastIndexOf(failed);
    return at < 0 ? line : line.mid(at + failed.size());
}

} // namespace

bool roomFreed(std::optional<std::int64_t> beforeKiB, std::optional<std::int64_t> afterKiB,
               std::int64_t pictureBytes) {
    if (!beforeKiB || !afterKiB || pictureBytes <= 0)
        return false;
    // Whole KiB on both sides: the difference is at least the picture's whole KiB, and at
    // least one, or a picture under 1 KiB would count as freed whatever happened.
    return *afterKiB - *beforeKiB >= std::max<std::int64_t>(1, pictureBytes / 1024);
}

void CardPictures::remove(int number) {
    const CardPicture picture = pictureAt(number);
    const std::int64_t bytes = pictureBytes(picture);
    const std::optional<std::int64_t> freeBefore = freeKiB();
    int deleted;
    QStringList logged; // a camera's refusal, which the library reports as done
    {
        const LibraryErrorLog log;
        deleted = gp_camera_file_delete(session_.camera(), picture.folder.toUtf8().constData(),
                                        picture.name.toUtf8().constData(), session_.context());
        logged = log.lines();
    }
    if (deleted < GP_OK && meansNotAnswering(deleted))
        session_.check(deleted, tr("Снимок %1 не удалён").arg(picture.name));
    // The card's room growing by the picture's size shows the camera did delete it.
    // Otherwise only a listing made afresh can tell, and the driver lists the card
    // afresh only in a new session: a new connection, tens of milliseconds a shot.
    if (deleted < GP_OK || !roomFreed(freeBefore, freeKiB(), bytes)) {
        reopen_();
        if (isOnCard(picture)) {
            session_.check(deleted, tr("Снимок %1 не удалён").arg(picture.name));
            if (!logged.isEmpty())
                raiseError(Gphoto2Error::CameraRefused,
                           tr("Камера отказалась удалить снимок %1, он остался на "
                              "карте (libgphoto2: %2)")
                               .arg(picture.name, refusalReason(logged)));
            raiseError(Gphoto2Error::CameraRefused,
                       tr("Камера сообщила, что удалила снимок %1, но он остался "
                          "на карте")
                           .arg(picture.name));
        }
    }
    if (newest_ == picture)
        newest_.reset();
    listed_ = false;
}

void CardPictures::captured(const CardPicture& picture) {
    newest_ = picture;
    listed_ = false;
}

void CardPictures::forgetListing() {
    listed_ = false;
}

} // namespace snapdeck::gphoto2
