#include "Capture.h"

#include "PictureFiles.h"
#include "TransferBar.h"
#include "camera/Camera.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "common/ErrorTrap.h"
#include "engine/EngineContext.h"
#include "engine/lens/LensControl.h"
#include "engine/monitor/ConnectionMonitor.h"
#include "engine/settings/SettingsControl.h"

namespace snapdeck {

bool Capture::take(const CaptureRequest& request) {
    const BusyWhile busy(context_);
    picture_ = Picture::NotTaken;
    try {
        runTrapped(context_.services.messages, [&] {
            try {
                run(request);
            } catch (const AppError& error) {
                throw error.withConsequence(whereThePictureIs());
            }
        });
    } catch (const ConnectionAbandoned&) {
        // The user stopped waiting for the camera: the capture ends here, nothing more
        // is deleted, uploaded or refreshed.
    }
    return stored();
}

void Capture::run(const CaptureRequest& request) {
    Camera& camera = context_.services.camera;
    retryWhileNotAnswering(monitor_, [&] { camera.setExposure(context_.exposure); });
    if (request.beforeShot)
        request.beforeShot(retryWhileNotAnswering(monitor_, [&] { return camera.pictureCount(); }));
    setStatus(tr("Экспозиция..."));
    takePictureOnce();
    picture_ = Picture::OnCard;
    setStatus({});
    const int pictureCount =
        retryWhileNotAnswering(monitor_, [&] { return camera.pictureCount(); });
    if (pictureCount > 0) {
        if (request.shotOnCard)
            request.shotOnCard(
                retryWhileNotAnswering(monitor_, [&] { return camera.pictureName(pictureCount); }));
        storePicture(pictureCount, request.fileName);
    }
    refreshCameraState();
}

// The shot that timed out may still have stored its picture: it is never fired again
// without asking, and when the user asks to go on, a picture that has since appeared on
// the card is copied instead of taking another one.
void Capture::takePictureOnce() {
    Camera& camera = context_.services.camera;
    const int before = context_.knownPictureCount;
    for (;;) {
        try {
            camera.takePicture();
            return;
        } catch (const CameraError& error) {
            if (!error.cameraNotAnswering())
                throw;
        }
        CheckOutcome outcome = monitor_.checkConnection();
        if (outcome == CheckOutcome::Closed)
            outcome = monitor_.askToKeepTrying() ? CheckOutcome::UserKeepsTrying
                                                 : CheckOutcome::UserStopped;
        if (outcome == CheckOutcome::UserStopped)
            throw ConnectionAbandoned{};
        const int now = retryWhileNotAnswering(monitor_, [&] { return camera.pictureCount(); });
        if (before >= 0 && now > before)
            return;
    }
}

void Capture::storePicture(int number, const QString& requestedName) {
    Camera& camera = context_.services.camera;
    const qint64 byteCount =
        retryWhileNotAnswering(monitor_, [&] { return camera.pictureSize(number); });
    if (byteCount < 0)
        throw AppError(ErrorNumber::InvalidCall, kAppErrorSource,
                       tr("Камера сообщила неверный размер снимка: %1").arg(byteCount));
    if (byteCount > 0)
        context_.state.transfer.maximum = byteCount;
    setStatus(tr("Запись файла"));
    if (byteCount == 0) {
        setStatus({});
        return;
    }

    QByteArray picture = retryWhileNotAnswering(
        monitor_, [&] { return camera.downloadPicture(number, transferProgressInto(context_)); });
    // Half a picture must neither replace the last one on disk nor cost the card's copy.
    if (picture.size() < byteCount)
        throw AppError(ErrorNumber::InvalidPicture, kAppErrorSource,
                       tr("Камера передала %1 байт снимка из %2.")
                           .arg(QString::number(picture.size()), QString::number(byteCount)));

    const QString fileName = requestedName.isEmpty() ? pictureFileName() : requestedName;
    const QString path = context_.services.folder.path(fileName);
    // On disk and flushed before the card's copy may go.
    writeFileAtomically(path, picture.constData(), byteCount);
    picture = QByteArray();
    picture_ = Picture::Stored;
    storedPath_ = path;
    const bool uploading = context_.state.uploadEnabled;
    if (uploading && context_.state.backgroundUpload && queueUpload_)
        queueUpload_(path, fileName);
    if (!context_.state.capture.keepOnCard)
        retryWhileNotAnswering(monitor_, [&] { camera.deletePicture(number); });
    picture_ = Picture::StoredAndDone;
    checkShowable(path);
    context_.observer->pictureStored(path);
    context_.state.transfer.value = 0;
    setStatus({});
    if (uploading && !context_.state.backgroundUpload && upload_)
        upload_(fileName);
}

// What became of the picture when a capture failed, for the error message.
QString Capture::whereThePictureIs() const {
    switch (picture_) {
    case Picture::NotTaken:
        return tr("Снимок не сделан.");
    case Picture::OnCard:
        return tr("Снимок остался на карте памяти камеры.");
    case Picture::Stored:
        return tr("Снимок сохранен в файле %1; на карте памяти он тоже остался.").arg(storedPath_);
    case Picture::StoredAndDone:
        return tr("Снимок сохранен в файле %1.").arg(storedPath_);
    }
    return {};
}

template <typename Step> Capture::CardStep Capture::onCard(Step&& step) {
    const BusyWhile busy(context_);
    std::optional<CardStep> outcome;
    try {
        runTrapped(context_.services.messages, [&] { outcome = step(); });
    } catch (const ConnectionAbandoned&) {
    }
    return outcome.value_or(CardStep::Failed);
}

// The picture's number on the card, newest first; nothing once the card was listed to
// its end without it.
std::optional<int> Capture::findOnCard(const QString& cardName) {
    Camera& camera = context_.services.camera;
    const int count = retryWhileNotAnswering(monitor_, [&] { return camera.pictureCount(); });
    for (int n = count; n >= 1; --n)
        if (retryWhileNotAnswering(monitor_, [&] { return camera.pictureName(n); }) == cardName)
            return n;
    return std::nullopt;
}

Capture::CardStep Capture::copyFromCard(const QString& cardName, const QString& fileName) {
    picture_ = Picture::OnCard;
    const CardStep step = onCard([&] {
        const std::optional<int> number = findOnCard(cardName);
        if (!number)
            return CardStep::NotOnCard;
        storePicture(*number, fileName);
        return CardStep::Done;
    });
    // On disk is done, even if the card's copy could not be deleted after it.
    return stored() ? CardStep::Done : step;
}

Capture::CardStep Capture::nameShotOnCard(int picturesBefore, QString& cardName) {
    return onCard([&] {
        Camera& camera = context_.services.camera;
        const int count = retryWhileNotAnswering(monitor_, [&] { return camera.pictureCount(); });
        if (count <= picturesBefore)
            return CardStep::NotOnCard;
        cardName = retryWhileNotAnswering(monitor_,
                                          [&] { return camera.pictureName(picturesBefore + 1); });
        return CardStep::Done;
    });
}

Capture::CardStep Capture::removeFromCard(const QString& cardName) {
    return onCard([&] {
        const std::optional<int> number = findOnCard(cardName);
        if (!number)
            return CardStep::NotOnCard;
        Camera& camera = context_.services.camera;
        retryWhileNotAnswering(monitor_, [&] { camera.deletePicture(*number); });
        return CardStep::Done;
    });
}

QString Capture::pictureFileName() const {
    if (context_.state.capture.overwrite)
        return kOverwrittenPictureName;
    const WorkFolder& folder = context_.services.folder;
    return datedPictureName(context_.services.clock.now(), context_.services.locale,
                            [&folder](const QString& name) { return folder.exists(name); });
}

void Capture::setStatus(const QString& text) {
    context_.state.captureStatus = text;
    context_.publish();
}

void Capture::refreshCameraState() {
    runTrapped(context_.services.messages, [&] {
        Camera& camera = context_.services.camera;
        context_.state.picturesRemaining = camera.remainingCount();
        context_.publish();
        const int onCard = camera.pictureCount();
        context_.knownPictureCount = onCard;
        context_.state.picturesOnCard = onCard;
        context_.publish();
        const ImageSize size = camera.imageSize();
        const auto sizes = settingTables::imageSizes();
        for (int position = 0; position < int(sizes.size()); ++position) {
            if (sizes[size_t(position)].value != size)
                continue;
            if (context_.state.list(SettingList::ImageSize).selected != position)
                settings_.choose(SettingList::ImageSize, position);
            break;
        }
        lens_.followCamera(true, camera.zoom());
        lens_.followCamera(false, camera.focus());
    });
}

} // namespace snapdeck
