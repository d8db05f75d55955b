#include "support/EngineFixture.h"

using namespace snapdeck;

namespace {

class CameraSettingsTest : public test::EngineFixture {
protected:
    void choose(SettingList list, const QString& caption) {
        const int position = int(settingCaptions(list).indexOf(caption));
        ASSERT_GE(position, 0) << caption.toStdString();
        engine->chooseSetting(list, position);
    }
    // The caption of the entry a list shows.
    QString shown(SettingList list) const {
        const int selected = state().list(list).selected;
        return selected < 0 ? QString() : settingCaptions(list).value(selected);
    }
    int previews() const { return cameraLog({"takePreview"}).size(); }
    // The exposure last sent to the camera, which the next capture sends again.
    QString lastExposureSent() const {
        const QStringList sent = cameraLog({"setExposure"});
        return sent.isEmpty() ? QString() : sent.last();
    }
    // True when an aperture choice reaches the camera, that is no read-back is pending.
    // Leaves the aperture list at "2.8" or "3.2".
    bool apertureChoicesReachTheCamera() {
        script().clearLog();
        const int position = state().list(SettingList::Aperture).selected == 0 ? 1 : 0;
        engine->chooseSetting(SettingList::Aperture, position);
        return !cameraLog({"setExposure"}).isEmpty();
    }
    // Manual exposure with the read-back finished.
    void manualMode() {
        choose(SettingList::ExposureMode, QStringLiteral("Вручную"));
        script().clearLog();
    }
};

} // namespace

TEST_F(CameraSettingsTest, SimpleListsSendTheirValueAndRefreshWhatDependsOnIt) {
    load();
    choose(SettingList::ImageSize, QStringLiteral("HQ 3264x2448"));
    EXPECT_EQ(camera->script().log(), (QStringList{"setImageSize(9)", "remainingCount()"}));
    EXPECT_EQ(state().picturesRemaining, simulated->remainingCount())
        << "the count for the new size at once";
    EXPECT_LT(state().picturesRemaining.value_or(0), cameraConfig.capacity);

    script().clearLog();
    choose(SettingList::Flash, QStringLiteral("Включено"));
    choose(SettingList::Flash, QStringLiteral("Выключено"));
    EXPECT_EQ(camera->script().log(), (QStringList{"setFlashMode(2)", "setFlashMode(1)"}))
        << "no preview after image size or flash";

    script().clearLog();
    choose(SettingList::Iso, QStringLiteral("ISO 50"));
    choose(SettingList::WhiteBalance, QStringLiteral("Облачно"));
    EXPECT_EQ(cameraLog({"setIsoSpeed", "setWhiteBalance"}),
              (QStringList{"setIsoSpeed(5)", "setWhiteBalance(7)"}));
    EXPECT_EQ(previews(), 2) << "ISO and white balance refresh the preview";
}

TEST_F(CameraSettingsTest, ChoosingTheEntryShownOrNoEntrySendsNothing) {
    load();
    engine->chooseSetting(SettingList::ImageSize, 0); // shown since start-up
    engine->chooseSetting(SettingList::Flash, 5);
    engine->chooseSetting(SettingList::Flash, -1);
    EXPECT_TRUE(camera->script().log().isEmpty());
    EXPECT_EQ(state().list(SettingList::Flash).selected, 0);
    EXPECT_TRUE(messages.shown.empty());
}

// The faces paint the list white while the camera's screen is off and green while on.
TEST_F(CameraSettingsTest, MonitorModeLightsTheListWhileTheScreenIsOn) {
    create();
    EXPECT_FALSE(engine->state().monitorListLit) << "no colour before a mode was sent";
    load();
    EXPECT_EQ(state().monitorListLit, false) << "start-up switches the screen off";
    choose(SettingList::Monitor, QStringLiteral("Включен"));
    EXPECT_EQ(state().monitorListLit, true);
    choose(SettingList::Monitor, QStringLiteral("Выключен"));
    EXPECT_EQ(state().monitorListLit, false);
    choose(SettingList::Monitor, QStringLiteral("Просмотр"));
    EXPECT_EQ(state().monitorListLit, true);
    EXPECT_EQ(cameraLog({"setMonitorMode"}),
              (QStringList{"setMonitorMode(2)", "setMonitorMode(1)", "setMonitorMode(3)"}));

    script().failNext("setMonitorMode", 380);
    choose(SettingList::Monitor, QStringLiteral("Выключен"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(state().monitorListLit, true) << "the colour follows what the camera took";
}

TEST_F(CameraSettingsTest, OnlyManualFocusEnablesTheFocusSlider) {
    load();
    EXPECT_FALSE(state().focus.enabled);
    choose(SettingList::FocusMode, QStringLiteral("Вручную"));
    EXPECT_TRUE(state().focus.enabled);
    choose(SettingList::FocusMode, QStringLiteral("Макро АФ"));
    EXPECT_FALSE(state().focus.enabled);
    choose(SettingList::FocusMode, QStringLiteral("Вручную"));
    choose(SettingList::FocusMode, QStringLiteral("Авто"));
    EXPECT_FALSE(state().focus.enabled);
    EXPECT_EQ(cameraLog({"setFocusMode"}), (QStringList{"setFocusMode(3)", "setFocusMode(1)",
                                                        "setFocusMode(3)", "setFocusMode(2)"}));
    EXPECT_EQ(previews(), 4);
}

// After start-up the aperture read-back is still pending (automatic mode); choosing
// the manual mode finishes it and shows the camera's values.
TEST_F(CameraSettingsTest, ManualModeAfterStartUpShowsTheCamerasExposure) {
    load();
    EXPECT_FALSE(state().list(SettingList::Aperture).enabled);
    EXPECT_FALSE(state().list(SettingList::Shutter).enabled);
    script().reportNext("exposure.aperture", 30, 2);
    script().reportNext("exposure.shutter", 500, 2);
    choose(SettingList::ExposureMode, QStringLiteral("Вручную"));
    EXPECT_TRUE(state().list(SettingList::Aperture).enabled);
    EXPECT_TRUE(state().list(SettingList::Shutter).enabled);
    EXPECT_EQ(shown(SettingList::Aperture), QStringLiteral("3.2"));
    EXPECT_EQ(shown(SettingList::Shutter), QStringLiteral("1/30"));
    EXPECT_EQ(lastExposureSent(), QStringLiteral("setExposure(1/32/33333)"))
        << "a shutter faster than 1/1000 is replaced by 1/30";
    EXPECT_EQ(previews(), 1);
    EXPECT_TRUE(apertureChoicesReachTheCamera()) << "the read-back is over"; // now 2.8

    script().clearLog();
    engine->capture();
    EXPECT_EQ(cameraLog({"setExposure"}).value(0), QStringLiteral("setExposure(1/28/33333)"))
        << "the capture sends the exposure as last exchanged";
}

TEST_F(CameraSettingsTest, ManualModeShowsWhatTheAutomaticExposureChose) {
    load();
    const Exposure chosen = simulated->exposure();
    choose(SettingList::ExposureMode, QStringLiteral("Вручную"));
    EXPECT_EQ(state().list(SettingList::Aperture).selected, aperturePositionFor(chosen.aperture));
    EXPECT_EQ(state().list(SettingList::Shutter).selected, shutterPositionFor(chosen.shutter));
    EXPECT_EQ(simulated->exposure(),
              (Exposure{ExposureMode::Manual, chosen.aperture, chosen.shutter}))
        << "the camera keeps what it had chosen";
}

TEST_F(CameraSettingsTest, ManualModeWithoutAPendingReadBackKeepsBothLists) {
    load();
    manualMode();
    choose(SettingList::Aperture, QStringLiteral("5.0"));
    choose(SettingList::ExposureMode, QStringLiteral("Авто"));
    EXPECT_FALSE(state().list(SettingList::Aperture).enabled);
    EXPECT_FALSE(state().list(SettingList::Shutter).enabled);

    script().clearLog();
    script().reportNext("exposure.aperture", 63, 3);
    choose(SettingList::ExposureMode, QStringLiteral("Вручную"));
    EXPECT_EQ(shown(SettingList::Aperture), QStringLiteral("5.0"));
    EXPECT_EQ(cameraLog({"setExposure", "exposure"}).size(), 2)
        << "the mode is written and the exposure read, nothing more";
}

TEST_F(CameraSettingsTest, ReadBackMovesApertureUpToTheListOrKeepsTheSelection) {
    load();
    manualMode();
    // The camera answers an aperture outside the list: the list keeps its entry, and
    // the camera is sent that entry's value.
    script().reportNext("exposure.aperture", 90);
    choose(SettingList::Aperture, QStringLiteral("4.0"));
    EXPECT_EQ(shown(SettingList::Aperture), QStringLiteral("4.0"));
    EXPECT_TRUE(lastExposureSent().contains(QStringLiteral("/40/")))
        << lastExposureSent().toStdString();

    script().clearLog();
    script().reportNext("exposure.aperture", 57);
    choose(SettingList::Aperture, QStringLiteral("5.6"));
    EXPECT_EQ(shown(SettingList::Aperture), QStringLiteral("6.3"));
    EXPECT_TRUE(lastExposureSent().contains(QStringLiteral("/63/")))
        << lastExposureSent().toStdString();
    EXPECT_EQ(previews(), 0) << "no preview after an aperture or shutter choice";
    EXPECT_TRUE(apertureChoicesReachTheCamera());
}

TEST_F(CameraSettingsTest, ReadBackReplacesTooFastShutterTimesAndKeepsUnknownOnes) {
    load();
    manualMode();
    for (const int reported : {500, 0, -7}) {
        script().clearLog();
        script().reportNext("exposure.shutter", reported);
        choose(SettingList::Shutter, QStringLiteral("1/100"));
        EXPECT_TRUE(lastExposureSent().endsWith(QStringLiteral("/33333)"))) << reported;
        EXPECT_EQ(shown(SettingList::Shutter), QStringLiteral("1/30")) << reported;
        EXPECT_EQ(cameraLog({"setExposure"}).size(), 3) << "the choice, the read-back, the fix";
        choose(SettingList::Shutter, QStringLiteral("1/250"));
    }
    script().reportNext("exposure.shutter", 1001);
    choose(SettingList::Shutter, QStringLiteral("1/100"));
    EXPECT_EQ(shown(SettingList::Shutter), QStringLiteral("1/100"));
    script().clearLog();
    engine->capture();
    EXPECT_TRUE(cameraLog({"setExposure"}).value(0).endsWith(QStringLiteral("/1001)")))
        << "kept as the camera reported it";
    EXPECT_TRUE(apertureChoicesReachTheCamera());
}

TEST_F(CameraSettingsTest, APendingReadBackIgnoresChoicesUntilTheModeChanges) {
    load();
    manualMode();
    script().failNext("exposure", 7, 1, QStringLiteral("сбой"));
    choose(SettingList::Aperture, QStringLiteral("4.5"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("сбой")));

    script().clearLog();
    choose(SettingList::Aperture, QStringLiteral("8.0"));
    EXPECT_TRUE(cameraLog({"setExposure"}).isEmpty()) << "ignored while pending";
    EXPECT_EQ(shown(SettingList::Aperture), QStringLiteral("8.0"));

    choose(SettingList::ExposureMode, QStringLiteral("Авто"));
    EXPECT_EQ(cameraLog({"exposure"}).size(), 1) << "the change of mode finished the read-back";
    EXPECT_TRUE(apertureChoicesReachTheCamera());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(CameraSettingsTest, AFailedSendEndsTheChoiceWithoutAPreview) {
    load();
    script().failNext("setWhiteBalance", 380);
    choose(SettingList::WhiteBalance, QStringLiteral("Дневной"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 380);
    EXPECT_EQ(previews(), 0);
    EXPECT_EQ(shown(SettingList::WhiteBalance), QStringLiteral("Дневной"))
        << "the list keeps the choice";
}
