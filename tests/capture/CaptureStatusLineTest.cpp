#include "capture/CaptureOptionsFrame.h"
#include "support/WindowFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <functional>

using namespace snapdeck;

namespace {

class PaintWatcher : public QObject {
public:
    std::function<void()> painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted();
        return false;
    }
};

// The status line of a capture reaches the screen while the camera works, not once the
// capture is over: each camera call holds the window thread.
class CaptureStatusLineTest : public test::WindowFixture {
protected:
    void showLoadedWindow() {
        load();
        window->show();
        QElapsedTimer waited; // paints reach the widgets once the window is exposed
        waited.start();
        while (!window->windowHandle()->isExposed() && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents();
        // Each paint of the status line: its text, and the camera call made last before it.
        QLabel* status = find<QLabel>("lblStatus");
        watcher.painted = [this, status] {
            const QStringList& log = camera->script().log();
            const QString last = log.isEmpty() ? QString() : log.last();
            paints.append(status->text() + QStringLiteral(" after ") +
                          last.left(last.indexOf(u'(')));
        };
        status->installEventFilter(&watcher);
    }

    PaintWatcher watcher; // outlives the window, which the fixture's TearDown destroys
    QStringList paints;
};

} // namespace

TEST_F(CaptureStatusLineTest, IsPaintedBeforeTheExposureAndBeforeTheCopy) {
    showLoadedWindow();
    window->cmdCapture->click();
    EXPECT_TRUE(paints.contains(QStringLiteral("Экспозиция... after SetExposure")))
        << paints.join(u'|').toStdString();
    EXPECT_TRUE(paints.contains(QStringLiteral("Запись файла after GetPictureSize")))
        << paints.join(u'|').toStdString();
}
