#include "MainWindow.h"

#include "CameraSettingsFrame.h"
#include "CameraStatusFrame.h"
#include "CaptureOptionsFrame.h"
#include "FtpFrame.h"
#include "FtpSettingsDialog.h"
#include "HistogramView.h"
#include "LensFrame.h"
#include "PictureBox.h"
#include "ScheduleFrame.h"
#include "WidgetUpdates.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/live/LiveFrame.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QVBoxLayout>

namespace snapdeck {

MainWindow::MainWindow(EngineHost& engine, MessagePresenter& messages, FtpSettings ftp,
                       WorkFolder folder, QWidget* parent)
    : QMainWindow(parent), engine_(engine), messages_(messages), ftp_(std::move(ftp)),
      folder_(std::move(folder)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(tr("Snapdeck- СнапДек"));
    buildLayout(messages);

    connect(previewButton_, &QPushButton::clicked, this,
            [this] { startPictureWork([](Engine& e) { e.takePreview(); }); });
    connect(captureButton_, &QPushButton::clicked, this,
            [this] { startPictureWork([](Engine& e) { e.capture(); }); });
    connect(liveViewBox_, &QCheckBox::toggled, this,
            [this](bool on) { engine_.post([on](Engine& e) { e.setLiveView(on); }); });
    // The picture taken shows with its own histogram, live frames with theirs.
    connect(lastPictureBox_, &PictureBox::pictureShown, this, [this] {
        if (!lastPictureBox_->showingLive())
            showHistogram(lastPictureBox_->histogram());
    });
    connect(ftpFrame_, &FtpFrame::settingsAsked, this, &MainWindow::openFtpSettings);
    addShortcuts();
}

// F8 and F5 work wherever the focus is; Space captures too, unless the control in focus
// takes Space itself (a button presses, a check box ticks, a list opens): keyPressEvent
// only sees the Space no control took.
void MainWindow::addShortcuts() {
    const auto pressWith = [this](QKeySequence key, QPushButton* button) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled())
                button->click();
        });
    };
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->installEventFilter(this);
    pressWith(QKeySequence(Qt::Key_F8), captureButton_);
    pressWith(QKeySequence(Qt::Key_F5), previewButton_);
    captureButton_->setToolTip(tr("Снять и сохранить снимок (F8 или Пробел)"));
    previewButton_->setToolTip(tr("Показать, что видит камера, в малом окне (F5)"));
}

bool MainWindow::spaceCaptures(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier)
        return false;
    if (captureButton_->isEnabled() && !event->isAutoRepeat())
        captureButton_->click();
    event->accept();
    return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (!spaceCaptures(event))
        QMainWindow::keyPressEvent(event);
}

// A frame takes the Space its control left (a group box keeps it for a check box of its
// own, which ours have not): it is handed to the capture here.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QGroupBox*>(watched))
        return spaceCaptures(static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLayout(MessagePresenter& messages) {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* grid = new QGridLayout(central);

    lastPictureBox_ = new PictureBox(tr("Последний снимок"), QSize(560, 420), central);
    lastPictureBox_->setObjectName(QStringLiteral("lastPictureBox"));
    lastPictureBox_->allowFocusCheck();
    lastPictureBox_->measureHistograms();
    histogramView_ = new HistogramView(central);
    histogramView_->setObjectName(QStringLiteral("histogramView"));
    clippingLine_ = new QLabel(central);
    clippingLine_->setObjectName(QStringLiteral("clippingLine"));
    previewBox_ = new PictureBox(tr("Предварительный просмотр"), QSize(200, 150), central);
    previewBox_->setObjectName(QStringLiteral("previewBox"));
    previewBox_->setFixedSize(200, 150);

    previewButton_ = new QPushButton(tr("&Просмотр"), central);
    previewButton_->setObjectName(QStringLiteral("previewButton"));
    liveViewBox_ = new QCheckBox(tr("&Живой просмотр"), central);
    liveViewBox_->setObjectName(QStringLiteral("liveViewBox"));
    liveViewBox_->setEnabled(false);
    liveViewBox_->setToolTip(EngineState().liveView.unavailableReason);
    captureButton_ = new QPushButton(tr("&Захват"), central);
    captureButton_->setObjectName(QStringLiteral("captureButton"));

    // Made in reading order, column by column, which is the order Tab follows.
    captureOptions_ = new CaptureOptionsFrame(engine_, central);
    cameraSettings_ = new CameraSettingsFrame(engine_, central);
    lens_ = new LensFrame(engine_, central);
    schedule_ = new ScheduleFrame(engine_, messages, central);
    ftpFrame_ = new FtpFrame(engine_, central);
    cameraStatus_ = new CameraStatusFrame(central);

    // Left: the last picture, and below it the preview, the buttons and the options.
    // One above the other: side by side they would widen the window past a laptop's
    // screen.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(previewButton_);
    buttons->addWidget(liveViewBox_);
    buttons->addWidget(captureButton_);
    buttons->addStretch();
    auto* below = new QHBoxLayout;
    below->addWidget(previewBox_, 0, Qt::AlignTop);
    below->addLayout(buttons);
    below->addWidget(captureOptions_, 1);

    auto* histogramRow = new QHBoxLayout;
    histogramRow->addWidget(histogramView_);
    histogramRow->addWidget(clippingLine_, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(lastPictureBox_);
    left->addLayout(histogramRow);
    left->addLayout(below);
    left->addStretch();

    // Right: the camera's settings and lens; then the schedule, the upload and the
    // camera's status.
    auto* middle = new QVBoxLayout;
    middle->addWidget(cameraSettings_);
    middle->addWidget(lens_);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(schedule_);
    right->addWidget(ftpFrame_);
    right->addWidget(cameraStatus_);
    right->addStretch();

    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->setColumnStretch(0, 1);
}

void MainWindow::load() {
    engine_.post([](Engine& e) { e.load(); });
}

void MainWindow::startPictureWork(void (*command)(Engine&)) {
    awaitingEngine_ = true;
    updateButtons();
    engine_.post(command);
    engine_.whenDone(this, [this] {
        awaitingEngine_ = false;
        updateButtons();
    });
}

void MainWindow::updateButtons() {
    const bool free = !busy_ && !awaitingEngine_;
    previewButton_->setEnabled(free);
    captureButton_->setEnabled(free);
}

std::unique_ptr<FtpSettingsDialog> MainWindow::ftpSettingsDialog() {
    return std::make_unique<FtpSettingsDialog>(ftp_, folder_, messages_, this);
}

void MainWindow::openFtpSettings() {
    const std::unique_ptr<FtpSettingsDialog> dialog = ftpSettingsDialog();
    if (dialog->exec() != QDialog::Accepted)
        return;
    ftp_ = dialog->settings();
    engine_.post([settings = ftp_](Engine& e) { e.setFtpSettings(settings); });
}

void MainWindow::renderLiveView(const LiveViewState& live) {
    setCheckedQuietly(*liveViewBox_, live.on);
    liveViewBox_->setEnabled(live.available);
    liveViewBox_->setToolTip(live.available ? tr("Показывать в большом окне то, что видит камера")
                                            : live.unavailableReason);
    if (liveViewOn_ && !live.on) {
        lastPictureBox_->endLiveView();
        showHistogram(lastPictureBox_->histogram());
    }
    liveViewOn_ = live.on;
}

void MainWindow::showHistogram(const LuminanceHistogram& histogram) {
    histogramView_->setHistogram(histogram);
    // The view words its shares once a histogram; the line shows the same words.
    setTextIfChanged(*clippingLine_, histogramView_->accessibleDescription());
}

void MainWindow::liveFrame(const LiveFrame& frame) {
    // A frame that comes after live view was switched off is not shown.
    if (!liveViewOn_)
        return;
    lastPictureBox_->showLiveFrame(frame.image, frame.number);
    showHistogram(frame.histogram);
}

void MainWindow::stateChanged(const EngineState& state) {
    busy_ = state.busy;
    updateButtons();
    renderLiveView(state.liveView);
    captureOptions_->render(state);
    cameraSettings_->render(state);
    lens_->render(state);
    schedule_->render(state);
    ftpFrame_->render(state);
    cameraStatus_->render(state);
}

void MainWindow::pictureStored(const QString& path) {
    lastPictureBox_->showFile(path);
}

void MainWindow::previewStored(const QString& path) {
    previewBox_->showFile(path);
}

void MainWindow::scheduleFilled(const ScheduleForm& form) {
    schedule_->fill(form);
}

void MainWindow::intervalRefused() {
    schedule_->focusInterval();
}

// The schedule frame shows the reason (the state brought it); the desktop tells someone
// who is not looking at the window.
void MainWindow::runEnded(const QString& reason) {
    notifier_.notify(tr("Интервальная съемка остановлена"), reason);
}

// The camera is closed first: its screen switched off, its session ended, with the
// message box of a failure still shown. The window goes once the engine is done.
void MainWindow::closeEvent(QCloseEvent* event) {
    const QScopedValueRollback inside(inCloseEvent_, true);
    if (!unloaded_ && !closing_) {
        closing_ = true;
        setEnabled(false);
        engine_.post([](Engine& e) { e.unload(); });
        engine_.whenDone(this, [this] {
            unloaded_ = true;
            if (!inCloseEvent_)
                close();
        });
    }
    if (unloaded_) {
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace snapdeck
