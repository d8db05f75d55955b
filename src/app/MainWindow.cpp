#include "MainWindow.h"

#include "CameraStatusFrame.h"
#include "ConnectionMonitor.h"
#include "Globals.h"
#include "Services.h"
#include "camera/CameraControl.h"
#include "capture/Capture.h"
#include "capture/CaptureOptionsFrame.h"
#include "capture/PictureBox.h"
#include "capture/Preview.h"
#include "common/Clock.h"
#include "common/ErrorTrap.h"
#include "common/ProgramExit.h"
#include "ftp/FtpFrame.h"
#include "ftp/FtpSettingsWindow.h"
#include "ftp/FtpUpload.h"
#include "schedule/IntervalShooting.h"
#include "schedule/ScheduleFrame.h"
#include "schedule/StartMomentBoxes.h"
#include "settings/CameraSettings.h"
#include "settings/CameraSettingsFrame.h"
#include "settings/LensControl.h"
#include "settings/LensFrame.h"
#include "settings/SettingLists.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace snapdeck {

QString cameraNotFoundText() {
    return QStringLiteral("                   Камера не обнаружена!\r\n"
                          "         - Проверьте, что камера включена\r\n"
                          "          и переведена в режим управления.\r\n"
                          "-Проверьте, что ветвь реестра 'SupportedCamera'\r\n"
                          "             содержит правильные значения.");
}

MainWindow::MainWindow(Services& services, Globals& globals, QWidget* parent)
    : QMainWindow(parent), services_(services), globals_(globals) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Snapdeck- СнапДек"));
    buildLayout();

    monitor_ = std::make_unique<ConnectionMonitor>(services_, globals_, *captureFrame->prgFile,
                                                   *statusFrame->progressBat);
    preview_ =
        std::make_unique<Preview>(services_, globals_, state_, *captureFrame->prgFile, *Image2);
    capture_ = std::make_unique<Capture>(services_, globals_, state_,
                                         CaptureControls{*captureFrame, *Image1, *ftpFrame->chkFTP,
                                                         *statusFrame, *settingsFrame->combReso,
                                                         *lensFrame},
                                         *monitor_);
    settings_ = std::make_unique<CameraSettings>(services_, globals_, state_, *settingsFrame,
                                                 *lensFrame, *statusFrame->RemCnt, *preview_);
    lens_ = std::make_unique<LensControl>(services_, globals_, state_, *lensFrame, *settings_,
                                          *preview_);

    connect(cmdPreview, &QPushButton::clicked, this, [this] { preview_->ShowPreview(); });
    connect(cmdCapture, &QPushButton::clicked, this, [this] { capture_->CapturePicture(); });

    // The FTP frame, not the whole window, which would cost ten times as much; not the
    // line alone either, which once hidden at the end would paint nothing.
    upload_ = std::make_unique<FtpUpload>(globals_.ftp, services_.folder, services_.messages,
                                          *ftpFrame->lblFTP, *ftpFrame);
    capture_->setUploader(
        [this](const QString& fileName) { upload_->UploadPictureByFtp(fileName); });
    connect(ftpFrame->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    interval_ = std::make_unique<IntervalShooting>(services_, *scheduleFrame, *capture_, *monitor_);
    new StartMomentBoxes(services_.messages, *scheduleFrame); // owned by the frame
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLayout() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* grid = new QGridLayout(central);

    Image1 = new PictureBox(QStringLiteral("Последний снимок"), QSize(560, 420), central);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2 = new PictureBox(QStringLiteral("Предварительный просмотр"), QSize(200, 150), central);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFixedSize(200, 150);

    cmdPreview = new QPushButton(QStringLiteral("Просмотр"), central);
    cmdPreview->setObjectName(QStringLiteral("cmdPreview"));
    cmdCapture = new QPushButton(QStringLiteral("Захват"), central);
    cmdCapture->setObjectName(QStringLiteral("cmdCapture"));

    // Made in reading order, column by column, which is the order Tab follows.
    captureFrame = new CaptureOptionsFrame(services_.messages, central);
    settingsFrame = new CameraSettingsFrame(central);
    lensFrame = new LensFrame(central);
    scheduleFrame = new ScheduleFrame(central);
    ftpFrame = new FtpFrame(central);
    statusFrame = new CameraStatusFrame(central);

    // Left: the last picture, and below it the preview, the buttons and the options.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdPreview);
    buttons->addWidget(cmdCapture);
    buttons->addStretch();
    auto* below = new QHBoxLayout;
    below->addWidget(Image2, 0, Qt::AlignTop);
    below->addLayout(buttons);
    below->addWidget(captureFrame, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(Image1);
    left->addLayout(below);
    left->addStretch();

    // Right: the camera's settings and lens; then the schedule, the upload and the
    // camera's status.
    auto* middle = new QVBoxLayout;
    middle->addWidget(settingsFrame);
    middle->addWidget(lensFrame);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(scheduleFrame);
    right->addWidget(ftpFrame);
    right->addWidget(statusFrame);
    right->addStretch();

    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->setColumnStretch(0, 1);
}

void MainWindow::Form_Load() {
    state_.FormLoading = true;
    runTrapped(services_.messages, [&] {
        if (!openCamera())
            return;
        fillSettingLists();
        state_.FormLoading = false;
        lensFrame->lblZoom->setText(QStringLiteral("Увеличение - 80/240"));
        lensFrame->lblFocus->setText(QStringLiteral("Фокусировка - 0/240"));
        {
            // Lens positions read back from the camera move the sliders, whose handlers
            // take previews; the one preview below shows them all, and a camera without
            // preview is reported once.
            const QScopedValueRollback deferred(state_.previewsDeferred, true);
            capture_->RefreshCameraState();
        }
        scheduleFrame->fillStartUpValues(services_.clock.now());
        preview_->ShowPreview();
    });
    if (!endingAtOnce_)
        monitor_->tBat.start();
}

// Initialises the camera, ends the program when there is none, opens the last camera
// found and shows its model. False when loading cannot go on.
bool MainWindow::openCamera() {
    CameraControl& camera = services_.camera;
    if (camera.Initialize() != 0) {
        Message failed;
        failed.text = QStringLiteral("Ошибка инициализации камеры!");
        failed.icon = MessageIcon::Critical;
        services_.messages.show(failed);
        return false;
    }
    const std::int32_t count = camera.GetCameraCount();
    if (count == 0) {
        Message notFound;
        notFound.text = cameraNotFoundText();
        notFound.icon = MessageIcon::Critical;
        services_.messages.show(notFound);
        endingAtOnce_ = true;
        endProgramNow(1);
        return false;
    }
    camera.OpenCamera(count - 1);
    std::int32_t modelIndex = 0;
    statusFrame->lblModel->setText(camera.GetModelName(modelIndex));
    globals_.CameraNumber = 0;
    return true;
}

void MainWindow::fillSettingLists() {
    FillImageSizeList(*settingsFrame->combReso);
    FillIsoList(*settingsFrame->combISO);
    FillWhiteBalanceList(*settingsFrame->combWB);
    FillLcdModeList(*settingsFrame->combLCD);
    FillExposureModeList(*settingsFrame->combExpMode);
    FillFlashList(*settingsFrame->combFlash);
    FillFocusModeList(*settingsFrame->combFocusMode);
    FillApertureList(*settingsFrame->combAperture);
    FillShutterList(*settingsFrame->combShutter);
}

void MainWindow::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    // No tick may reach the camera while it is being closed, under the box of a failure.
    monitor_->tBat.stop();
    interval_->tTime.stop();
    runTrapped(services_.messages, [&] {
        services_.camera.SetMonitorMode(globals_.CameraNumber, SettingCode::MonitorOff);
        services_.camera.CloseCamera(globals_.CameraNumber);
    });
}

void MainWindow::Command1_Click() {
    frmFTP window(globals_.ftp, services_.folder, services_.messages, this);
    window.Form_Load();
    window.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace snapdeck
