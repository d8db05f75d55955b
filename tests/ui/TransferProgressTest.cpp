#include "app/ConnectionMonitor.h"
#include "support/Painting.h"
#include "support/WindowFixture.h"

#include <QProgressBar>
#include <QThread>

using namespace snapdeck;
using snapdeck::test::PaintWatcher;

namespace {

// The transfer bar during a copy: its value follows every chunk, while a burst of
// chunks is painted at once only now and then and at its end.
class TransferProgressTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        load();
        test::showExposed(*window);
        bar = find<QProgressBar>("prgFile");
        bar->setRange(0, kChunks * kChunk);
        bar->setValue(0);
        watcher.painted = [this] { paintedValues.append(bar->value()); };
        bar->installEventFilter(&watcher);
        // Nothing painted lately: the loading's own copies are over.
        QThread::msleep(ConnectionMonitor::kProgressPaintMs + 10);
    }
    void TearDown() override {
        bar->removeEventFilter(&watcher);
        WindowFixture::TearDown();
    }
    void chunk(int done) { window->connectionMonitor().Rye1_TransferProgress(0, done); }

    static constexpr int kChunks = 48;
    static constexpr int kChunk = 65536;
    QProgressBar* bar = nullptr;
    PaintWatcher watcher;
    QList<int> paintedValues;
};

} // namespace

TEST_F(TransferProgressTest, ABurstOfChunksIsPaintedAtItsStartAndItsEndOnly) {
    for (int i = 1; i <= kChunks; ++i) {
        chunk(i * kChunk);
        EXPECT_EQ(bar->value(), i * kChunk);
    }
    ASSERT_FALSE(paintedValues.isEmpty());
    EXPECT_EQ(paintedValues.first(), kChunk) << "the first chunk after a pause, at once";
    EXPECT_EQ(paintedValues.last(), kChunks * kChunk) << "the last chunk, at once";
    // Every chunk was painted before; now a few, should the machine stall in between.
    EXPECT_LE(paintedValues.size(), 4);
}

TEST_F(TransferProgressTest, AChunkAfterAPauseIsPaintedAtOnce) {
    chunk(kChunk);
    chunk(2 * kChunk);
    QThread::msleep(ConnectionMonitor::kProgressPaintMs + 10);
    chunk(3 * kChunk);
    EXPECT_EQ(paintedValues.last(), 3 * kChunk);
}
