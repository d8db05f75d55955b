#include "BenchWindow.h"

#include "camera/CameraSettings.h"
#include "engine/Engine.h"
#include "engine/ObserverOnThread.h"
#include "support/Painting.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace snapdeck::bench {

int AnsweringMessages::show(const Message& message) {
    std::lock_guard lock(mutex_);
    texts_ << message.text;
    return answer;
}

QStringList AnsweringMessages::texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
}

void AnsweringMessages::clear() {
    std::lock_guard lock(mutex_);
    texts_.clear();
}

// Counts the paints of one widget.
class BenchWindow::PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

BenchWindow::BenchWindow(Camera& camera, const QString& folder, FtpSettings ftp) : folder_(folder) {
    host_ = std::make_unique<EngineHost>(
        std::make_unique<Engine>(
            EngineServices{camera, messages_, clock_, folder_, QLocale::system()}, ftp),
        EngineHost::Threading::OwnThread);
    window_ = std::make_unique<MainWindow>(*host_, messages_, ftp, folder_);
    observer_ = std::make_unique<ObserverOnThread>(*window_, window_.get());
    host_->post([observer = observer_.get()](Engine& e) { e.setObserver(*observer); });
    lastPicture_ = window_->findChild<PictureBox*>(QStringLiteral("lastPictureBox"));
    captureButton_ = window_->findChild<QPushButton*>(QStringLiteral("captureButton"));
    paints_ = std::make_unique<PaintCounter>();
    lastPicture_->installEventFilter(paints_.get());
    QObject::connect(lastPicture_, &PictureBox::pictureShown, [this] {
        ++picturesShown_;
        paintsWhenShown_ = paints_->paints;
    });
}

// The engine's thread ends first: it talks to the window until then.
BenchWindow::~BenchWindow() {
    host_.reset();
    observer_.reset();
    lastPicture_->removeEventFilter(paints_.get());
    window_.reset();
}

void BenchWindow::loadAndShow() {
    window_->resize(1280, 800);
    test::showExposed(*window_);
    window_->load();
    waitUntilDone();
}

void BenchWindow::stopBatteryTick() {
    // The engine's timers are its own children and tick on its thread.
    host_->post([](Engine& e) {
        for (QTimer* timer : e.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
            timer->stop();
    });
    waitUntilDone();
}

void BenchWindow::chooseImageSize(ImageSize size) {
    const auto sizes = settingTables::imageSizes();
    for (int position = 0; position < int(sizes.size()); ++position) {
        if (sizes[size_t(position)].value == size)
            window_->findChild<QComboBox*>(QStringLiteral("imageSizeList"))
                ->setCurrentIndex(position);
    }
    waitUntilDone();
}

void BenchWindow::clickCapture() {
    captureButton_->click();
}

bool BenchWindow::captureEnabled() const {
    return captureButton_->isEnabled();
}

int BenchWindow::lastPicturePaints() const {
    return paints_->paints;
}

int BenchWindow::lastPicturesShown() const {
    return picturesShown_;
}

CaptureMoments BenchWindow::capture(int limitMs) {
    CaptureMoments moments;
    const int shownBefore = picturesShown_;
    const BenchClock::time_point start = BenchClock::now();
    clickCapture();
    const bool ended = waitUntil(
        [&] {
            if (moments.done == 0 && captureEnabled())
                moments.done = millisecondsSince(start);
            if (moments.painted == 0 && picturesShown_ > shownBefore &&
                paints_->paints > paintsWhenShown_)
                moments.painted = millisecondsSince(start);
            return moments.done > 0 && moments.painted > 0;
        },
        limitMs);
    if (!ended)
        std::fprintf(stderr,
                     "bench: the capture did not end with a painted picture (done %.1f ms, "
                     "pictures shown %d, painted %.1f ms)\n",
                     moments.done, picturesShown_ - shownBefore, moments.painted);
    return moments;
}

void BenchWindow::waitUntilDone(int limitMs) {
    bool done = false;
    host_->whenDone(window_.get(), [&done] { done = true; });
    const bool ended = waitUntil(
        [&] {
            if (!done)
                return false;
            for (PictureBox* box : window_->findChildren<PictureBox*>())
                if (box->decoding())
                    return false;
            return true;
        },
        limitMs);
    if (!ended)
        std::fprintf(stderr, "bench: the engine or the picture boxes did not finish\n");
    settle();
}

bool BenchWindow::waitUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer waited;
    waited.start();
    // Wakes the loop now and then, for conditions that no event of this thread changes.
    QTimer wakeUp;
    wakeUp.start(50);
    while (!done()) {
        if (waited.elapsed() > limitMs)
            return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void BenchWindow::settle() {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

void useOffscreenPlatformByDefault() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace snapdeck::bench
