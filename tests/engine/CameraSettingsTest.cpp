#include "app/WindowState.h"
#include "settings/SettingTables.h"
#include "support/WindowFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

using namespace snapdeck;

namespace {

class CameraSettingsTest : public test::WindowFixture {
protected:
    QComboBox* list(const char* name) { return find<QComboBox>(name); }
    void choose(const char* name, const QString& label) {
        QComboBox* box = list(name);
        const int index = box->findText(label);
        ASSERT_GE(index, 0) << label.toStdString();
        box->setCurrentIndex(index);
    }
    int previews() const { return cameraLog({"TakePreview"}).size(); }
    WindowState& state() { return window->state(); }
    // Brings the window into manual mode with the read-back finished.
    void manualMode() {
        choose("combExpMode", QStringLiteral("Вручную"));
        ASSERT_FALSE(state().ExposureBusy);
        camera->script().clearLog();
    }
};

} // namespace

TEST_F(CameraSettingsTest, SimpleListsSendTheirCodeAndRefreshWhatDependsOnIt) {
    load();
    choose("combReso", QStringLiteral("HQ 3264x2448"));
    EXPECT_EQ(camera->script().log(), (QStringList{"ImageSize(0)=9", "GetRemainingCount(0)"}));
    std::int32_t cam = 0;
    EXPECT_EQ(find<QLabel>("RemCnt")->text(), QString::number(camera->GetRemainingCount(cam)))
        << "the label shows the count for the new size at once";
    EXPECT_LT(find<QLabel>("RemCnt")->text().toInt(), cameraConfig.capacity);

    camera->script().clearLog();
    choose("combFlash", QStringLiteral("Включено"));
    choose("combFlash", QStringLiteral("Выключено"));
    EXPECT_EQ(camera->script().log(), (QStringList{"FlashMode(0)=2", "FlashMode(0)=1"}))
        << "no preview after image size or flash";

    camera->script().clearLog();
    choose("combISO", QStringLiteral("ISO 50"));
    choose("combWB", QStringLiteral("Облачно"));
    EXPECT_EQ(cameraLog({"IsoSpeed=", "WhiteBalance="}),
              (QStringList{"IsoSpeed(0)=5", "WhiteBalance(0)=7"}));
    EXPECT_EQ(previews(), 2) << "ISO and white balance refresh the preview";
}

TEST_F(CameraSettingsTest, MonitorModePaintsTheListWhiteWhenOffAndGreenWhenOn) {
    load();
    auto colourOf = [&] { return list("combLCD")->palette().color(QPalette::Button); };
    choose("combLCD", QStringLiteral("Включен"));
    EXPECT_EQ(colourOf(), QColor(0, 255, 0));
    choose("combLCD", QStringLiteral("Выключен"));
    EXPECT_EQ(colourOf(), QColor(255, 255, 255));
    choose("combLCD", QStringLiteral("Просмотр"));
    EXPECT_EQ(colourOf(), QColor(0, 255, 0));
    EXPECT_EQ(
        cameraLog({"SetMonitorMode"}),
        (QStringList{"SetMonitorMode(0, 2)", "SetMonitorMode(0, 1)", "SetMonitorMode(0, 3)"}));
}

TEST_F(CameraSettingsTest, OnlyManualFocusEnablesTheFocusSlider) {
    load();
    auto* slider = find<QSlider>("scrollFocus");
    choose("combFocusMode", QStringLiteral("Вручную"));
    EXPECT_TRUE(slider->isEnabled());
    choose("combFocusMode", QStringLiteral("Макро АФ"));
    EXPECT_FALSE(slider->isEnabled());
    choose("combFocusMode", QStringLiteral("Вручную"));
    choose("combFocusMode", QStringLiteral("Авто"));
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_EQ(cameraLog({"FocusMode="}), (QStringList{"FocusMode(0)=3", "FocusMode(0)=1",
                                                      "FocusMode(0)=3", "FocusMode(0)=2"}));
    EXPECT_EQ(previews(), 4);
}

// After start-up the aperture read-back is still pending (automatic mode); choosing
// the manual mode finishes it and shows the camera's values.
TEST_F(CameraSettingsTest, ManualModeAfterStartUpShowsTheCamerasExposure) {
    load();
    ASSERT_TRUE(state().ExposureBusy);
    camera->script().reportNext("GetExposure.aperture", 30, 2);
    camera->script().reportNext("GetExposure.shutter", 500, 2);
    choose("combExpMode", QStringLiteral("Вручную"));
    EXPECT_TRUE(list("combAperture")->isEnabled());
    EXPECT_TRUE(list("combShutter")->isEnabled());
    EXPECT_EQ(list("combAperture")->currentText(), QStringLiteral("3.2"));
    EXPECT_EQ(list("combShutter")->currentText(), QStringLiteral("1/30"));
    EXPECT_FALSE(state().ExposureBusy);
    const QStringList sent = cameraLog({"SetExposure"});
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_TRUE(sent.last().contains(QStringLiteral("/32/"))) << sent.last().toStdString();
    EXPECT_TRUE(sent.last().contains(QStringLiteral("/33333/")))
        << "a shutter faster than 1/1000 is replaced by 1/30";
    EXPECT_EQ(state().Exposure.aperture, 32);
    EXPECT_EQ(state().Exposure.shutter, 33333);
    EXPECT_EQ(previews(), 1);
}

TEST_F(CameraSettingsTest, ManualModeShowsWhatTheAutomaticExposureChose) {
    load();
    ExposureSettings chosen;
    std::int32_t cam = 0;
    camera->GetExposure(cam, chosen);
    choose("combExpMode", QStringLiteral("Вручную"));
    EXPECT_EQ(list("combAperture")->currentText(), ApertureLabelForCode(chosen.aperture));
    EXPECT_EQ(list("combShutter")->currentText(), ShutterLabelForCode(chosen.shutter));
}

TEST_F(CameraSettingsTest, ManualModeWithoutAPendingReadBackKeepsBothLists) {
    load();
    manualMode();
    choose("combExpMode", QStringLiteral("Авто"));
    EXPECT_FALSE(list("combAperture")->isEnabled());
    {
        const QSignalBlocker quiet(list("combAperture")); // shown, not chosen
        list("combAperture")->setCurrentIndex(5);
    }
    camera->script().clearLog();
    choose("combExpMode", QStringLiteral("Вручную"));
    EXPECT_EQ(list("combAperture")->currentText(), QStringLiteral("5.0"));
    EXPECT_EQ(cameraLog({"SetExposure", "GetExposure"}).size(), 2)
        << "the mode is written and the record refilled, nothing more";
}

TEST_F(CameraSettingsTest, ReadBackMovesApertureUpToTheListOrKeepsTheSelection) {
    load();
    manualMode();
    // The camera answers an aperture outside the list: the list keeps its entry, and
    // the camera is sent that entry's code.
    camera->script().reportNext("GetExposure.aperture", 90);
    choose("combAperture", QStringLiteral("4.0"));
    EXPECT_EQ(list("combAperture")->currentText(), QStringLiteral("4.0"));
    EXPECT_EQ(state().Exposure.aperture, 40);
    EXPECT_FALSE(state().ExposureBusy);

    camera->script().clearLog();
    camera->script().reportNext("GetExposure.aperture", 57);
    choose("combAperture", QStringLiteral("5.6"));
    EXPECT_EQ(list("combAperture")->currentText(), QStringLiteral("6.3"));
    EXPECT_EQ(state().Exposure.aperture, 63);
    EXPECT_EQ(previews(), 0) << "no preview after an aperture or shutter choice";
}

TEST_F(CameraSettingsTest, ReadBackReplacesTooFastShutterTimesAndKeepsUnknownOnes) {
    load();
    manualMode();
    for (const int reported : {500, 0, -7}) {
        camera->script().clearLog();
        camera->script().reportNext("GetExposure.shutter", reported);
        choose("combShutter", QStringLiteral("1/100"));
        EXPECT_EQ(state().Exposure.shutter, 33333) << reported;
        EXPECT_EQ(list("combShutter")->currentText(), QStringLiteral("1/30")) << reported;
        EXPECT_EQ(cameraLog({"SetExposure"}).size(), 3) << "the choice, the read-back, the fix";
        choose("combShutter", QStringLiteral("1/250"));
    }
    camera->script().reportNext("GetExposure.shutter", 1001);
    choose("combShutter", QStringLiteral("1/100"));
    EXPECT_EQ(state().Exposure.shutter, 1001) << "kept as the camera reported it";
    EXPECT_EQ(list("combShutter")->currentText(), QStringLiteral("1/100"));
    EXPECT_FALSE(state().ExposureBusy);
}

TEST_F(CameraSettingsTest, APendingReadBackIgnoresChoicesUntilTheModeChanges) {
    load();
    manualMode();
    camera->script().failNext("GetExposure", 7, 1, QStringLiteral("сбой"));
    choose("combAperture", QStringLiteral("4.5"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(state().ExposureBusy) << "a failure leaves the read-back pending";

    camera->script().clearLog();
    choose("combAperture", QStringLiteral("8.0"));
    EXPECT_TRUE(cameraLog({"SetExposure"}).isEmpty()) << "ignored while pending";
    EXPECT_EQ(list("combAperture")->currentText(), QStringLiteral("8.0"));

    choose("combExpMode", QStringLiteral("Авто"));
    EXPECT_FALSE(state().ExposureBusy) << "the change of mode finished the read-back";
}

TEST_F(CameraSettingsTest, AFailedSendEndsTheHandlerWithoutAPreview) {
    load();
    camera->script().failNext("WhiteBalance=", 380);
    choose("combWB", QStringLiteral("Дневной"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("\r\n380")));
    EXPECT_EQ(previews(), 0);
    EXPECT_EQ(list("combWB")->currentText(), QStringLiteral("Дневной"))
        << "the list keeps the choice";
}
