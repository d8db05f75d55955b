#include "capture/CaptureOptionsFrame.h"
#include "support/Painting.h"
#include "support/WindowFixture.h"

#include <QLabel>
#include <QPushButton>

using namespace snapdeck;
using snapdeck::test::PaintWatcher;

namespace {

// The status line of a capture reaches the screen while the camera works, not once the
// capture is over: each camera call holds the window thread.
class CaptureStatusLineTest : public test::WindowFixture {
protected:
    void showLoadedWindow() {
        load();
        test::showExposed(*window);
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
