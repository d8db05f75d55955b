#include "capture/CaptureOptionsFrame.h"
#include "support/RecordingMessages.h"

#include <QCheckBox>
#include <gtest/gtest.h>

using namespace snapdeck;
using snapdeck::test::RecordingMessages;

TEST(CaptureOptions, StartInTheirDesignStatesWithoutRunningTheRules) {
    RecordingMessages messages;
    CaptureOptionsFrame frame(messages);
    EXPECT_TRUE(frame.chkCaptMode->isChecked());
    EXPECT_FALSE(frame.chkStFlash->isChecked());
    EXPECT_TRUE(frame.chkStFlash->isEnabled()) << "the buffer rule has not run yet";
    EXPECT_TRUE(frame.chkFileName->isChecked());
    EXPECT_TRUE(messages.shown.empty());
}

TEST(CaptureOptions, RecordingIntoTheBufferClearsAndLocksKeepingOnTheCard) {
    RecordingMessages messages;
    CaptureOptionsFrame frame(messages);
    frame.chkCaptMode->setChecked(false);
    EXPECT_TRUE(frame.chkStFlash->isEnabled());
    frame.chkStFlash->setChecked(true);

    frame.chkCaptMode->setChecked(true);
    EXPECT_FALSE(frame.chkStFlash->isChecked());
    EXPECT_FALSE(frame.chkStFlash->isEnabled());

    frame.chkCaptMode->setChecked(false);
    EXPECT_TRUE(frame.chkStFlash->isEnabled());
    EXPECT_FALSE(frame.chkStFlash->isChecked()) << "the user has to tick it again";
}

TEST(CaptureOptions, TurningOverwritingOffWarnsOncePerUntick) {
    RecordingMessages messages;
    CaptureOptionsFrame frame(messages);
    frame.chkFileName->setChecked(false);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Проверьте свободное место на диске!"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Предупреждение"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages.shown[0].buttons, QStringList{QStringLiteral("OK")});
    EXPECT_FALSE(frame.chkFileName->isChecked());

    frame.chkFileName->setChecked(true);
    EXPECT_EQ(messages.shown.size(), 1u);
    frame.chkFileName->setChecked(false);
    EXPECT_EQ(messages.shown.size(), 2u);
}
