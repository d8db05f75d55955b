#pragma once

#include "common/Messages.h"

#include <QPointer>

class QWidget;

namespace snapdeck {

// Shows messages as modal message boxes, each a top-level window over the window in
// use. Asked from the engine's thread, it shows the box on the window thread and waits
// there for the answer; the window keeps painting meanwhile.
class QtMessagePresenter final : public MessagePresenter {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }
    int show(const Message& message) override;

private:
    int showHere(const Message& message);

    QPointer<QWidget> parent_;
};

} // namespace snapdeck
