#pragma once

#include "common/Messages.h"

#include <QCoreApplication>
#include <QStringList>

namespace snapdeck {

// Stands between the engine and the questions to the user. While start-up gathers, the
// errors of a camera that lacks a setting or the preview are kept instead of shown, and
// at start-up's end they are named together in one box: a camera without three of them
// is one box to close, not three. Every other message goes through at once.
class LackGatherer : public MessagePresenter {
    Q_DECLARE_TR_FUNCTIONS(LackGatherer)

public:
    explicit LackGatherer(MessagePresenter& messages) : messages_(messages) {}

    int show(const Message& message) override;

    void startGathering();
    // Shows what was gathered, if anything, and lets every message through again.
    void showGathered();

private:
    MessagePresenter& messages_;
    bool gathering_ = false;
    QList<Message> gathered_;
};

} // namespace snapdeck
