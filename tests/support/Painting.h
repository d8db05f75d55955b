#pragma once

#include <QObject>
#include <functional>

class QEvent;
class QWidget;

namespace snapdeck::test {

// Shows a window and waits (5 s at most) until the platform exposes it: only then do
// paints reach its widgets.
void showExposed(QWidget& window);

// Installed as an event filter, calls "painted" at every paint of the widget.
class PaintWatcher : public QObject {
public:
    std::function<void()> painted;
    bool eventFilter(QObject*, QEvent* event) override;
};

} // namespace snapdeck::test
