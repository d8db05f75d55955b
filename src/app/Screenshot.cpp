#include "Screenshot.h"

#include "ConnectionMonitor.h"
#include "MainWindow.h"
#include "capture/Capture.h"

#include <QApplication>
#include <QPixmap>
#include <cstdio>

namespace snapdeck {

int saveScreenshot(MainWindow& window, const QString& path) {
    window.resize(1280, 800);
    QApplication::processEvents();
    window.capture().CapturePicture();
    window.connectionMonitor().tBat_Timer();
    QApplication::processEvents();
    const bool saved = window.grab().save(path, "PNG");
    window.close();
    if (!saved)
        std::fprintf(stderr, "snapdeck: could not save %s\n", qPrintable(path));
    return saved ? 0 : 1;
}

} // namespace snapdeck
