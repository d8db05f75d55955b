#include "Painting.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace snapdeck::test {

void showExposed(QWidget& window) {
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!window.windowHandle()->isExposed() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
}

bool PaintWatcher::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint)
        painted();
    return false;
}

} // namespace snapdeck::test
