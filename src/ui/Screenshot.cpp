#include "Screenshot.h"

#include "FtpSettingsDialog.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "common/AppError.h"
#include "common/AtomicFile.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"

#include <QApplication>
#include <QBuffer>
#include <QPixmap>
#include <cstdio>

namespace snapdeck {

namespace {

int saveNow(QWidget& window, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    bool saved = buffer.open(QIODevice::WriteOnly) && window.grab().save(&buffer, "PNG");
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

// True once both picture boxes have shown what they were given.
bool picturesShown(MainWindow& window) {
    for (PictureBox* box : window.findChildren<PictureBox*>())
        if (box->decoding())
            return false;
    return true;
}

} // namespace

void saveScreenshotWhenReady(MainWindow& window, EngineHost& engine, const QString& path,
                             ScreenshotOf of, std::function<void(int)> finished) {
    window.resize(QSize(1280, 800).expandedTo(window.minimumSizeHint()));
    engine.post([](Engine& e) {
        e.capture();
        e.pollBattery();
    });
    engine.whenDone(&window, [&window, path, of, finished = std::move(finished)] {
        // The pictures decode on a worker thread; wait for them, painting meanwhile.
        while (!picturesShown(window))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
        if (of == ScreenshotOf::FtpSettings) {
            const std::unique_ptr<FtpSettingsDialog> dialog = window.ftpSettingsDialog();
            dialog->show();
            QApplication::processEvents();
            finished(saveNow(*dialog, path));
        } else {
            finished(saveNow(window, path));
        }
        window.close();
    });
}

} // namespace snapdeck
