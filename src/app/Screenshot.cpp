#include "Screenshot.h"

#include "ConnectionMonitor.h"
#include "MainWindow.h"
#include "capture/Capture.h"

#include "common/AppError.h"
#include "common/AtomicFile.h"

#include <QApplication>
#include <QBuffer>
#include <QPixmap>
#include <cstdio>

namespace snapdeck {

int saveScreenshot(MainWindow& window, const QString& path) {
    window.resize(1280, 800);
    QApplication::processEvents();
    window.capture().CapturePicture();
    window.connectionMonitor().tBat_Timer();
    QApplication::processEvents();
    QByteArray png;
    QBuffer buffer(&png);
    bool saved = buffer.open(QIODevice::WriteOnly) && window.grab().save(&buffer, "PNG");
    window.close();
    try {
        if (saved)
            writeFileAtomically(path, png);
    } catch (const AppError& failed) {
        std::fprintf(stderr, "snapdeck: %s\n", qPrintable(failed.description()));
        saved = false;
    }
    if (!saved)
        std::fprintf(stderr, "snapdeck: could not save %s\n", qPrintable(path));
    return saved ? 0 : 1;
}

} // namespace snapdeck
