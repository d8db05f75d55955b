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
    // With nobody at the screen (a screenshot run): each message goes to standard error
    // and is answered at once with its last button, the way out.
    void setUnattended(bool unattended) { unattended_ = unattended; }
    int show(const Message& message) override;

private:
    int showHere(const Message& message);

    QPointer<QWidget> parent_;
    bool unattended_ = false;
};

} // namespace snapdeck
