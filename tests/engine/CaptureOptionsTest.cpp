#include "support/EngineFixture.h"

using namespace snapdeck;

namespace {

class CaptureOptionsTest : public test::EngineFixture {
protected:
    const CaptureOptions& options() const { return engine->state().capture; }
};

} // namespace

TEST_F(CaptureOptionsTest, StartInTheirDesignStatesWithoutRunningTheRules) {
    load();
    EXPECT_TRUE(options().bufferMode);
    EXPECT_FALSE(options().keepOnCard);
    EXPECT_TRUE(options().keepOnCardEnabled) << "the buffer rule has not run yet";
    EXPECT_TRUE(options().overwrite);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CaptureOptionsTest, RecordingIntoTheBufferClearsAndLocksKeepingOnTheCard) {
    load();
    engine->setBufferMode(false);
    EXPECT_TRUE(options().keepOnCardEnabled);
    engine->setKeepOnCard(true);
    EXPECT_TRUE(options().keepOnCard);

    engine->setBufferMode(true);
    EXPECT_FALSE(options().keepOnCard);
    EXPECT_FALSE(options().keepOnCardEnabled);
    EXPECT_EQ(state().capture, options()) << "the faces heard it";

    engine->setKeepOnCard(true); // a face that missed the lock
    EXPECT_FALSE(options().keepOnCard) << "locked";
    engine->capture();
    EXPECT_EQ(simulated->picturesOnCard(), 0) << "the picture went off the card";

    engine->setBufferMode(false);
    EXPECT_TRUE(options().keepOnCardEnabled);
    EXPECT_FALSE(options().keepOnCard) << "the user has to tick it again";
}

TEST_F(CaptureOptionsTest, TurningOverwritingOffWarnsOncePerUntick) {
    load();
    engine->setOverwrite(false);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Проверьте свободное место на диске!"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Предупреждение"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages.shown[0].buttons, QStringList{QStringLiteral("OK")});
    EXPECT_FALSE(state().capture.overwrite);

    engine->setOverwrite(false);
    engine->setOverwrite(true);
    EXPECT_EQ(messages.shown.size(), 1u);
    engine->setOverwrite(false);
    EXPECT_EQ(messages.shown.size(), 2u);
}
