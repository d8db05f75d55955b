#include "Capture.h"

#include "CaptureOptionsFrame.h"
#include "PictureBox.h"
#include "PictureFileName.h"
#include "PictureSize.h"
#include "TransferBar.h"
#include "app/CameraStatusFrame.h"
#include "app/ConnectionMonitor.h"
#include "app/Globals.h"
#include "app/Services.h"
#include "app/WindowState.h"
#include "camera/CameraControl.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "common/ErrorTrap.h"
#include "common/WorkFolder.h"
#include "settings/LensFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QScopedValueRollback>

namespace snapdeck {

Capture::Capture(Services& services, Globals& globals, WindowState& state, CaptureControls controls,
                 ConnectionMonitor& monitor)
    : services_(services), globals_(globals), state_(state), controls_(controls),
      monitor_(monitor) {}

template <typename Step> auto Capture::retrying(Step&& step) {
    return retryWhileNotAnswering(monitor_, std::forward<Step>(step));
}

bool Capture::CapturePicture() {
    // A message box inside a capture lets the user press "Захват" again; one capture
    // at a time, or the second would take the first one's picture off the card.
    if (capturing_)
        return false;
    const QScopedValueRollback busy(capturing_, true);
    stored_ = false;
    try {
        runTrapped(services_.messages, [&] { runCapture(); });
    } catch (const ConnectionAbandoned&) {
        // The user stopped waiting for the camera: the capture ends here, nothing more
        // is deleted, uploaded or refreshed.
    }
    return stored_;
}

void Capture::runCapture() {
    CameraControl& camera = services_.camera;
    std::int32_t cam = 0; // this capture's own camera number, handed on by reference

    retrying([&] { camera.SetExposure(cam, state_.Exposure); });
    showStatus(QStringLiteral("Экспозиция..."));
    takePictureOnce(cam);
    hideStatus();
    const std::int32_t pictureCount = retrying([&] { return camera.GetPictureCount(cam); });
    if (pictureCount != 0)
        storePicture(cam, pictureCount);
    RefreshCameraState();
}

void Capture::storePicture(std::int32_t& cam, std::int32_t pictureCount) {
    CameraControl& camera = services_.camera;
    QProgressBar& progress = *controls_.options.prgFile;

    retrying([&] { camera.SelectedPicture(cam, pictureCount); });
    const std::int32_t byteCount =
        checkedPictureSize(retrying([&] { return camera.GetPictureSize(cam); }));
    setTransferScale(progress, byteCount);
    showStatus(QStringLiteral("Запись файла"));
    if (byteCount == 0) {
        hideStatus();
        return;
    }

    QByteArray buffer(byteCount, Qt::Uninitialized);
    std::int32_t size = byteCount;
    retrying([&] {
        size = byteCount;
        camera.DownloadPicture(cam, size, buffer);
    });

    // Half a picture must neither replace the last one on disk nor cost the card's copy.
    const qint64 received = copiedBytes(size, buffer);
    if (received < byteCount)
        throw AppError(ErrorNumber::InvalidPicture, kAppErrorSource,
                       QStringLiteral("Камера передала %1 байт снимка из %2; снимок оставлен "
                                      "на карте памяти.")
                           .arg(received)
                           .arg(byteCount));

    const QString fileName = pictureFileName();
    const QString path = services_.folder.path(fileName);
    // On disk and flushed before the card's copy may go.
    writeFileAtomically(path, buffer.constData(), received);
    buffer = QByteArray();
    stored_ = true;
    if (!controls_.options.chkStFlash->isChecked())
        retrying([&] { camera.DeletePicture(0); });
    controls_.Image1.loadFile(path);
    progress.setValue(0);
    hideStatus();
    if (controls_.chkFTP.isChecked() && upload_)
        upload_(fileName);
}

// The shot that timed out may still have stored its picture: it is never fired again
// without asking, and when the user asks to go on, a picture that has since appeared on
// the card is copied instead of taking another one.
void Capture::takePictureOnce(std::int32_t& cam) {
    CameraControl& camera = services_.camera;
    const std::int32_t before = state_.knownPictureCount;
    for (;;) {
        try {
            camera.TakePicture(cam);
            return;
        } catch (const CameraError& error) {
            if (!error.cameraNotAnswering())
                throw;
        }
        CheckOutcome outcome = monitor_.CheckConnection();
        if (outcome == CheckOutcome::Closed)
            outcome = monitor_.askToKeepTrying() ? CheckOutcome::UserKeepsTrying
                                                 : CheckOutcome::UserStopped;
        if (outcome == CheckOutcome::UserStopped)
            throw ConnectionAbandoned{};
        const std::int32_t now = retrying([&] { return camera.GetPictureCount(cam); });
        if (before >= 0 && now > before)
            return;
    }
}

QString Capture::pictureFileName() const {
    if (controls_.options.chkFileName->isChecked())
        return kOverwrittenPictureName;
    const WorkFolder& folder = services_.folder;
    return datedPictureName(services_.clock.now(), services_.locale,
                            [&folder](const QString& name) { return folder.exists(name); });
}

void Capture::showStatus(const QString& text) {
    controls_.options.lblStatus->setText(text);
    controls_.options.lblStatus->show();
    // Painted at once: the camera call that follows holds the window thread. The line
    // keeps its room while hidden, so it is all that needs painting; anything else that
    // waits to be painted goes in the same pass.
    controls_.options.lblStatus->repaint();
}

void Capture::hideStatus() {
    controls_.options.lblStatus->clear();
    controls_.options.lblStatus->hide();
}

void Capture::RefreshCameraState() {
    runTrapped(services_.messages, [&] {
        CameraControl& camera = services_.camera;
        std::int32_t& cam = globals_.CameraNumber;
        controls_.status.RemCnt->setText(QString::number(camera.GetRemainingCount(cam)));
        const std::int32_t onCard = camera.GetPictureCount(cam);
        state_.knownPictureCount = onCard;
        controls_.status.PicCnt->setText(QString::number(onCard));
        const int position = controls_.combReso.findData(camera.ImageSize(cam));
        if (position >= 0)
            controls_.combReso.setCurrentIndex(position);
        setSliderPosition(*controls_.lens.scrollZoom, camera.ZoomPosition(cam));
        setSliderPosition(*controls_.lens.scrollFocus, camera.FocusPosition(cam));
    });
}

} // namespace snapdeck
