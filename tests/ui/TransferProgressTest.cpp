#include "engine/ObserverOnThread.h"
#include "support/PassingObserver.h"
#include "support/WindowFixture.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <climits>
#include <functional>
#include <optional>

using namespace snapdeck;

namespace {

// Passes what the engine tells on to the window and notes it: "S" for a state, "E" for
// any other event; after each state, "shown" looks at the window.
class WindowTap final : public EngineObserver {
public:
    explicit WindowTap(EngineObserver& window) : window_(window) {}

    void stateChanged(const EngineState& state) override {
        window_.stateChanged(state);
        heard += u'S';
        if (shown)
            shown(state);
    }
    void pictureStored(const QString& path) override {
        window_.pictureStored(path);
        heard += u'E';
    }
    void previewStored(const QString& path) override {
        window_.previewStored(path);
        heard += u'E';
    }
    void scheduleFilled(const ScheduleForm& form) override {
        window_.scheduleFilled(form);
        heard += u'E';
    }
    void intervalRefused() override {
        window_.intervalRefused();
        heard += u'E';
    }
    void runEnded(const QString& reason) override {
        window_.runEnded(reason);
        heard += u'E';
    }

    QString heard;
    std::function<void(const EngineState&)> shown;

private:
    EngineObserver& window_;
};

// Counts the states the engine tells before passing everything on.
class StateCounter final : public test::PassingObserver {
public:
    using PassingObserver::PassingObserver;
    void stateChanged(const EngineState& state) override {
        ++states;
        PassingObserver::stateChanged(state);
    }

    int states = 0;
};

class TransferProgressTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        load();
        bar = find<QProgressBar>("transferBar");
        ASSERT_NE(bar, nullptr);
        tap.emplace(*window);
    }
    void TearDown() override {
        QCoreApplication::processEvents();
        waitForPictures();
        WindowFixture::TearDown();
    }
    void capture() { find<QPushButton>("captureButton")->click(); }

    QProgressBar* bar = nullptr;
    // Outlive the engine, which the fixture's TearDown ends.
    std::optional<WindowTap> tap;
    std::optional<ObserverOnThread> onWindowThread;
    std::optional<StateCounter> told;
};

} // namespace

// The bar follows the copy chunk by chunk, on the scale of the picture's byte count.
TEST_F(TransferProgressTest, TheBarShowsEachStatesProgressOfTheCopy) {
    QList<int> values;
    tap->shown = [&](const EngineState& state) {
        EXPECT_EQ(bar->maximum(), state.transfer.maximum);
        EXPECT_EQ(bar->value(), state.transfer.value);
        if (values.isEmpty() || values.last() != bar->value())
            values.append(bar->value());
    };
    engine().setObserver(*tap);
    capture();

    // Empty, a few chunks to full, empty again once the picture is stored.
    const int pictureBytes = bar->maximum();
    ASSERT_GT(pictureBytes, 4);
    ASSERT_GE(values.size(), 5) << "at least three chunks";
    EXPECT_EQ(values.first(), 0);
    EXPECT_EQ(values.last(), 0);
    const QList<int> copy = values.mid(1, values.size() - 2);
    EXPECT_EQ(copy.last(), pictureBytes);
    for (qsizetype i = 1; i < copy.size(); ++i)
        EXPECT_GT(copy[i], copy[i - 1]);
    tap->shown = nullptr;
}

// The bar counts in int: a picture above 2 GB is shown on a coarser scale, not wrapped
// round to a negative or empty bar.
TEST_F(TransferProgressTest, APictureAboveTwoGigabytesFillsTheBarInProportion) {
    EngineState state = engine().state();
    state.transfer = {5'000'000'000LL, 1'250'000'000LL};
    window->stateChanged(state);
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_LE(bar->maximum(), INT_MAX);
    EXPECT_NEAR(double(bar->value()) / bar->maximum(), 0.25, 0.001);

    state.transfer.value = state.transfer.maximum;
    window->stateChanged(state);
    EXPECT_EQ(bar->value(), bar->maximum());
}

// In the program the engine tells the window through the window's event queue. States
// told while the window could not listen are merged into the newest one, so a fast
// copy's chunks never pile up: the window hears each run of states once, in order with
// the other events, and ends showing the engine's state.
TEST_F(TransferProgressTest, StatesToldWhileTheWindowIsBusyAreMergedIntoTheNewest) {
    onWindowThread.emplace(*tap, window.get());
    told.emplace(*onWindowThread);
    engine().setObserver(*told);
    const TransferState before{bar->maximum(), bar->value()};

    capture(); // the whole capture runs before the window's thread is free again
    ASSERT_TRUE(tap->heard.isEmpty()) << "nothing reaches the window until its thread is free";
    EXPECT_EQ((TransferState{bar->maximum(), bar->value()}), before);
    QCoreApplication::processEvents();

    EXPECT_GE(told->states, 6) << "the engine told each chunk";
    EXPECT_FALSE(tap->heard.contains(QStringLiteral("SS"))) << tap->heard.toStdString();
    EXPECT_TRUE(tap->heard.endsWith(u'S')) << tap->heard.toStdString();
    EXPECT_TRUE(tap->heard.contains(u'E')) << "the picture stored, in between";
    EXPECT_EQ(bar->maximum(), engine().state().transfer.maximum);
    EXPECT_EQ(bar->value(), engine().state().transfer.value);
    EXPECT_TRUE(find<QPushButton>("captureButton")->isEnabled());
}
