#include "support/EngineFixture.h"

using namespace snapdeck;

namespace {

class SettingListsTest : public test::EngineFixture {};

} // namespace

TEST_F(SettingListsTest, StayEmptyWhenStartUpFindsNoCameraToFillThemFrom) {
    cameraConfig.initializeFails = true;
    load(/*keepLog=*/true);
    for (const SettingList list : kAllSettingLists)
        EXPECT_EQ(engine->state().list(list).selected, -1) << int(list);
    EXPECT_EQ(camera->script().log(), QStringList{"initialize()"}) << "nothing was sent";
}

// Start-up fills the lists in the camera's order, each choosing its initial entry once
// and so sending it. The aperture's read-back stops short in automatic mode, so the
// shutter's "1/30" is shown but not sent.
TEST_F(SettingListsTest, StartUpChoosesEachInitialEntryOnceInTheCamerasOrder) {
    load(/*keepLog=*/true);
    EXPECT_EQ(cameraLog({"setImageSize", "setIsoSpeed", "setWhiteBalance", "setMonitorMode",
                         "setExposure", "setFlashMode", "setFocusMode", "exposure"}),
              (QStringList{"setImageSize(0)", "setIsoSpeed(0)", "setWhiteBalance(0)",
                           "setMonitorMode(1)", "setExposure(2/0/0)", "setFlashMode(0)",
                           "setFocusMode(2)", "setExposure(2/28/0)", "exposure()"}));
    EXPECT_EQ(cameraLog({"takePreview"}).size(), 1) << "one preview, at the end";

    for (const SettingList list : kAllSettingLists) {
        const bool exposureField = list == SettingList::Aperture || list == SettingList::Shutter;
        EXPECT_EQ(state().list(list).enabled, !exposureField) << int(list);
        if (list != SettingList::Shutter) {
            EXPECT_EQ(state().list(list).selected, 0) << int(list);
        }
    }
    EXPECT_EQ(
        settingCaptions(SettingList::Shutter).value(state().list(SettingList::Shutter).selected),
        QStringLiteral("1/30"));
    EXPECT_TRUE(messages.shown.empty());
}
