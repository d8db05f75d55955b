#include "support/EngineFixture.h"

#include <QFile>

using namespace snapdeck;
using snapdeck::test::readFile;

namespace {

// The simulated camera, whose next preview can be replaced by other bytes: an empty
// one, or one that is no picture.
class CameraWithPreviewOverride : public SimulatedCamera {
public:
    using SimulatedCamera::SimulatedCamera;
    QByteArray takePreview(const TransferProgress& progress) override {
        if (!nextPreview)
            return SimulatedCamera::takePreview(progress);
        const QByteArray preview = *nextPreview;
        nextPreview.reset();
        return preview;
    }
    std::optional<QByteArray> nextPreview;
};

class PreviewTest : public test::EngineFixture {
protected:
    // Builds and loads the engine over a camera whose previews can be replaced.
    CameraWithPreviewOverride& loadWithPreviewOverride() {
        auto own = std::make_unique<CameraWithPreviewOverride>(cameraConfig);
        CameraWithPreviewOverride& overridden = *own;
        simulated = std::move(own);
        camera = std::make_unique<test::ScriptedCamera>(*simulated);
        engine =
            std::make_unique<Engine>(EngineServices{*camera, messages, clock, *folder, locale});
        engine->setObserver(observer);
        engine->load();
        script().clearLog();
        messages.clear();
        return overridden;
    }
    QString previewPath() const { return filePath(QStringLiteral("preview.jpg")); }
    int previews() const { return cameraLog({"takePreview"}).size(); }
};

} // namespace

TEST_F(PreviewTest, StoresThePreviewWholeAndShowsIt) {
    load();
    observer.previewsStored.clear();
    // A long older file of the same name must not leave its tail behind.
    QFile old(previewPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(2'000'000, 'x'));
    old.close();

    TransferState whenCopied;
    bool busyWhenCopied = false;
    camera->afterCall = [&](const QString&) {
        whenCopied = state().transfer;
        busyWhenCopied = state().busy;
    };
    engine->takePreview();
    EXPECT_EQ(camera->script().log(), QStringList{"takePreview()"});
    const QByteArray stored = readFile(previewPath());
    ASSERT_GT(stored.size(), 1000);
    EXPECT_LT(stored.size(), 2'000'000);
    EXPECT_TRUE(stored.startsWith("\xFF\xD8")) << "a JPEG";
    EXPECT_TRUE(stored.endsWith("\xFF\xD9")) << "exactly the new picture, no old tail";
    EXPECT_EQ(observer.previewsStored, QStringList{previewPath()});

    EXPECT_EQ(whenCopied, (TransferState{stored.size(), stored.size()}))
        << "the bar runs up to the preview's size while it is copied";
    EXPECT_EQ(state().transfer, (TransferState{stored.size(), 0}));
    EXPECT_TRUE(busyWhenCopied);
    EXPECT_FALSE(state().busy);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("preview.jpg")})
        << "preview writes no other file";
    EXPECT_TRUE(messages.shown.empty());
}

// Start-up's setting lists would take a preview each; one preview at its end shows
// them all. When start-up never got that far, previews stay off.
TEST_F(PreviewTest, TakesNoneWhileStartingUp) {
    load(/*keepLog=*/true);
    const QStringList log = camera->script().log();
    EXPECT_EQ(previews(), 1);
    EXPECT_EQ(log.last(), QStringLiteral("takePreview()")) << "after everything else";
}

TEST_F(PreviewTest, TakesNoneAfterAFailedStartUp) {
    cameraConfig.initializeFails = true;
    load();
    engine->takePreview();
    engine->chooseSetting(SettingList::Iso, 1);
    EXPECT_EQ(previews(), 0);
    EXPECT_FALSE(QFile::exists(previewPath()));
    EXPECT_TRUE(observer.previewsStored.isEmpty());
}

// Settings changed in a row while further commands wait take one preview at the end,
// not one each.
TEST_F(PreviewTest, IsLeftToTheEndWhileCommandsWait) {
    load();
    bool waiting = true;
    engine->setCommandsWaiting([&] { return waiting; });
    engine->chooseSetting(SettingList::Iso, 1);
    engine->chooseSetting(SettingList::WhiteBalance, 1);
    engine->moveZoom(120);
    EXPECT_EQ(previews(), 0);
    waiting = false;
    engine->idle();
    EXPECT_EQ(previews(), 1);
    engine->idle();
    EXPECT_EQ(previews(), 1) << "only a preview that was left is taken";
}

TEST_F(PreviewTest, AnEmptyPreviewIsNoErrorAndChangesNothing) {
    CameraWithPreviewOverride& overridden = loadWithPreviewOverride();
    const QByteArray before = readFile(previewPath());
    const TransferState bar = state().transfer;
    observer.previewsStored.clear();
    overridden.nextPreview = QByteArray();
    engine->takePreview();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(readFile(previewPath()), before);
    EXPECT_TRUE(observer.previewsStored.isEmpty());
    // An empty range would show the bar as an endless transfer.
    EXPECT_EQ(state().transfer, bar);
    EXPECT_FALSE(state().busy);
}

TEST_F(PreviewTest, APreviewThatIsNoPictureIsReportedAndNotShown) {
    CameraWithPreviewOverride& overridden = loadWithPreviewOverride();
    observer.previewsStored.clear();
    overridden.nextPreview = QByteArray("not a picture at all");
    engine->takePreview();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 481);
    EXPECT_TRUE(observer.previewsStored.isEmpty());
    EXPECT_FALSE(state().busy);
}

TEST_F(PreviewTest, ACameraThatDoesNotAnswerIsReportedOnceWithoutRetrying) {
    load();
    const QByteArray before = readFile(previewPath());
    observer.previewsStored.clear();
    script().failNext("takePreview", 26);
    engine->takePreview();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 26);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Snapdeck"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(camera->script().log(), QStringList{"takePreview()"}) << "neither closed nor retried";
    EXPECT_EQ(readFile(previewPath()), before);
    EXPECT_TRUE(observer.previewsStored.isEmpty());
    EXPECT_FALSE(state().busy);
}

TEST_F(PreviewTest, NeverTouchesTheCountersOrThePictures) {
    load();
    const std::optional<int> onCard = state().picturesOnCard;
    const std::optional<int> remaining = state().picturesRemaining;
    for (int i = 0; i < 3; ++i)
        engine->takePreview();
    EXPECT_EQ(state().picturesOnCard, onCard);
    EXPECT_EQ(state().picturesRemaining, remaining);
    EXPECT_EQ(simulated->picturesOnCard(), 0);
    EXPECT_EQ(camera->script().log(), QStringList(3, QStringLiteral("takePreview()")));
}
