#include "Gphoto2Device.h"

#include "CameraCapture.h"
#include "CameraConfig.h"
#include "Gphoto2Errors.h"
#include "LibraryThread.h"
#include "MovedCamera.h"

namespace snapdeck::gphoto2 {

Gphoto2Device::Gphoto2Device(QString port, std::function<bool()> cancelled)
    : session(std::move(cancelled)), pictures(
                                         session, [this] { reopen(); }, [this] { lifeSign(); }),
      settings(session), lens(session), port_(std::move(port)) {}

void Gphoto2Device::lifeSign() {
    if (callSignals_)
        callSignals_->alive();
}

void Gphoto2Device::initialize() {
    session.loadDrivers();
    if (!port_.isEmpty())
        session.checkPortPath(port_);
}

int Gphoto2Device::countCameras() {
    if (port_.isEmpty()) {
        detected_ = session.detect();
        return int(detected_.size());
    }
    // A network camera is not detected: it counts when it answers on its port.
    try {
        if (!session.isOpen())
            open({QString(), port_});
    } catch (const CameraError& error) {
        if (error.cameraNotAnswering())
            return 0;
        throw;
    }
    return 1;
}

QString Gphoto2Device::modelName(int index) {
    // The open camera is named whatever index is asked for.
    if (session.isOpen()) {
        if (const auto model = CameraConfig::read(session, "cameramodel");
            model && !model->text.isEmpty())
            return model->text;
        CameraAbilities abilities;
        session.check(gp_camera_get_abilities(session.camera(), &abilities),
                      tr("Модель камеры не прочитана"));
        return QString::fromUtf8(abilities.model);
    }
    if (port_.isEmpty() && detected_.isEmpty())
        detected_ = session.detect();
    if (!port_.isEmpty() && index == 0)
        return port_;
    if (index < 0 || index >= detected_.size())
        raiseError(Gphoto2Error::BadIndex, tr("Камеры номер %1 нет").arg(index));
    return detected_[index].model;
}

void Gphoto2Device::openCamera(int index) {
    CameraTarget target;
    if (!port_.isEmpty()) {
        if (index != 0)
            raiseError(Gphoto2Error::BadIndex, tr("На порту %1 одна камера, номер %2 не подходит")
                                                   .arg(port_, QString::number(index)));
        target = {QString(), port_};
    } else {
        if (detected_.isEmpty())
            detected_ = session.detect();
        if (index < 0 || index >= detected_.size())
            raiseError(Gphoto2Error::BadIndex,
                       tr("Камеры номер %1 нет (найдено камер: %2)")
                           .arg(QString::number(index), QString::number(detected_.size())));
        target = detected_[index];
    }
    if (session.isOpen() && !session.lost() && target_ && target_->port == target.port &&
        target_->model == target.model)
        return;
    open(target);
}

void Gphoto2Device::open(const CameraTarget& target) {
    try {
        openAt(target);
    } catch (const CameraError&) {
        if (!target.port.startsWith(QLatin1String("usb:")))
            throw;
        // The camera may be back under a new device number; a detection failing too
        // leaves the first error as the one to report.
        std::optional<CameraTarget> moved;
        try {
            detected_ = session.detect();
            moved = movedCamera(target, target.model.isEmpty() ? openedModel_ : target.model,
                                detected_);
        } catch (const CameraError&) {
        }
        if (!moved)
            throw;
        openAt(*moved);
    }
}

void Gphoto2Device::openAt(const CameraTarget& target) {
    target_ = target;
    pictures.forgetListing();
    session.open(target);
    CameraAbilities abilities;
    if (gp_camera_get_abilities(session.camera(), &abilities) >= GP_OK)
        openedModel_ = QString::fromUtf8(abilities.model);
    captureToCard(session);
}

void Gphoto2Device::reopen() {
    if (!target_)
        raiseNotAnswering(tr("Камера не открыта"));
    session.close();
    open(*target_);
}

void Gphoto2Device::closeCamera() {
    const bool stoppedAnswering = session.lost();
    session.close();
    if (!target_)
        raiseNotAnswering(tr("Камера не открыта"));
    if (stoppedAnswering)
        open(*target_);
}

void Gphoto2Device::ensureOpen() {
    if (session.lost())
        session.close();
    if (session.isOpen())
        return;
    if (!target_)
        raiseNotAnswering(tr("Камера не открыта"));
    open(*target_);
}

void Gphoto2Device::takePicture(CallSignals& callSignals, std::chrono::milliseconds limit) {
    pictures.forgetCapture();
    drainEvents(session);
    const QList<CardPicture> before = pictures.listCard();
    if (const auto picture = capturePicture(session, callSignals, limit)) {
        pictures.captured(*picture);
        return;
    }
    // The driver learns of new files only from the camera's events; a session opened
    // afresh lists the card as it is now.
    reopen();
    const QList<CardPicture> added = picturesAdded(before, pictures.listCard());
    if (added.size() == 1) {
        pictures.captured(added.first());
        return;
    }
    if (added.isEmpty())
        raiseError(Gphoto2Error::CameraRefused,
                   tr("Камера не сообщила о новом снимке JPEG, и на карте его нет. "
                      "Проверьте, что камера сохраняет снимки в JPEG (не только "
                      "RAW) и на карту. Снимки на карте не тронуты"));
    raiseError(Gphoto2Error::CameraRefused,
               tr("Камера не сообщила, какой снимок новый, а на карте появилось "
                  "несколько новых снимков JPEG (%1). Снимок не выбран, снимки на "
                  "карте не тронуты")
                   .arg(added.size()));
}

} // namespace snapdeck::gphoto2
