#include "BenchWindow.h"

#include "app/ConnectionMonitor.h"
#include "settings/CameraSettingsFrame.h"

#include <QApplication>
#include <QComboBox>

namespace snapdeck::bench {

BenchWindow::BenchWindow(CameraControl& camera, const QString& folder)
    : folder_(folder), services_{camera, messages_, clock_, folder_, QLocale::system()},
      window_(std::make_unique<MainWindow>(services_, globals_)) {}

BenchWindow::~BenchWindow() = default;

void BenchWindow::loadAndShow() {
    window_->Form_Load();
    window_->resize(1280, 800);
    window_->show();
    settle();
}

void BenchWindow::stopBatteryTick() {
    window_->connectionMonitor().tBat.stop();
}

void BenchWindow::chooseImageSize(int code) {
    QComboBox& list = *window_->settingsFrame->combReso;
    list.setCurrentIndex(list.findData(code));
    settle();
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
