#pragma once

#include "common/Messages.h"

class QWidget;

namespace snapdeck {

// Shows messages as modal message boxes, each a top-level window over the main window.
class QtMessagePresenter final : public MessagePresenter {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }
    int show(const Message& message) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace snapdeck
