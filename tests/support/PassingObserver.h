#pragma once

#include "engine/EngineObserver.h"

#include <QLabel>
#include <QStringList>

namespace snapdeck::test {

// Passes everything the engine tells on to "next" (the window); a test overrides what it
// watches on the way.
class PassingObserver : public EngineObserver {
public:
    explicit PassingObserver(EngineObserver& next) : next_(next) {}

    void stateChanged(const EngineState& state) override { next_.stateChanged(state); }
    void pictureStored(const QString& path) override { next_.pictureStored(path); }
    void previewStored(const QString& path) override { next_.previewStored(path); }
    void scheduleFilled(const ScheduleForm& form) override { next_.scheduleFilled(form); }
    void intervalRefused() override { next_.intervalRefused(); }
    void runEnded(const QString& reason) override { next_.runEnded(reason); }

private:
    EngineObserver& next_;
};

// Notes, after each state has reached the window, a label's text whenever what it shows
// changes ("-" while hidden).
class LabelWatcher final : public PassingObserver {
public:
    LabelWatcher(EngineObserver& next, QLabel& label) : PassingObserver(next), label_(label) {}

    void stateChanged(const EngineState& state) override {
        PassingObserver::stateChanged(state);
        const QString now = label_.isVisible() ? label_.text() : QStringLiteral("-");
        if (shown.isEmpty() || shown.last() != now)
            shown.append(now);
    }

    QStringList shown;

private:
    QLabel& label_;
};

} // namespace snapdeck::test
