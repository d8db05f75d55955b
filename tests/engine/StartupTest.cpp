#include "support/EngineFixture.h"

#include "camera/CameraError.h"

using namespace snapdeck;

namespace {

class StartupTest : public test::EngineFixture {
protected:
    const ListState& list(SettingList which) const { return state().list(which); }
    bool listsFilled() const {
        return std::any_of(state().lists.begin(), state().lists.end(),
                           [](const ListState& list) { return list.selected >= 0; });
    }
};

} // namespace

TEST_F(StartupTest, OpensTheCameraSendsTheInitialSettingsAndTakesAPreview) {
    load(/*keepLog=*/true);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(
        script().log(),
        (QStringList{"initialize()", "cameraCount()", "open(0)", "modelName()",
                     // the lists, in their filling order, each sent once
                     "setImageSize(0)", "remainingCount()", "setIsoSpeed(0)", "setWhiteBalance(0)",
                     "setMonitorMode(1)", "setExposure(2/0/0)", "setFlashMode(0)",
                     "setFocusMode(2)", "setExposure(2/28/0)", "exposure()",
                     // the camera's state read back
                     "remainingCount()", "pictureCount()", "imageSize()", "zoom()", "focus()",
                     // the first preview
                     "takePreview()"}));
    EXPECT_TRUE(cameraLog({"setExposure"}).filter(QStringLiteral("/33333")).isEmpty())
        << "the aperture read-back stopped in automatic mode, so 1/30 was not sent";
    EXPECT_EQ(state().model, cameraConfig.model);
    EXPECT_EQ(state().zoom.caption, QStringLiteral("Увеличение - 80/240"));
    EXPECT_EQ(state().focus.caption, QStringLiteral("Фокусировка - 0/240"));
    EXPECT_EQ(state().picturesOnCard, 0);
    EXPECT_TRUE(state().picturesRemaining.has_value());
    EXPECT_EQ(observer.previewsStored, QStringList{filePath("preview.jpg")});
}

TEST_F(StartupTest, ListsShowTheirInitialEntries) {
    load();
    for (const SettingList which :
         {SettingList::ImageSize, SettingList::ExposureMode, SettingList::WhiteBalance,
          SettingList::Flash, SettingList::Iso, SettingList::Monitor, SettingList::FocusMode}) {
        EXPECT_EQ(list(which), (ListState{0, true})) << int(which);
    }
    const ListState shutter = list(SettingList::Shutter);
    ASSERT_GE(shutter.selected, 0);
    EXPECT_EQ(settingCaptions(SettingList::Shutter)[shutter.selected], QStringLiteral("1/30"));
    EXPECT_EQ(settingTables::shutterTimes()[size_t(shutter.selected)].value, 33333);
    EXPECT_FALSE(shutter.enabled);
    const ListState aperture = list(SettingList::Aperture);
    ASSERT_GE(aperture.selected, 0);
    EXPECT_EQ(settingCaptions(SettingList::Aperture)[aperture.selected], QStringLiteral("2.8"));
    EXPECT_FALSE(aperture.enabled);
    EXPECT_FALSE(state().focus.enabled);
    EXPECT_EQ(state().zoom.position, 80);
}

TEST_F(StartupTest, ScheduleBoxesStartFromTheClockWithTomorrowRollingOverTheYear) {
    clock.set(QDateTime(QDate(2026, 12, 31), QTime(7, 8, 9)));
    load();
    ASSERT_TRUE(observer.schedule.has_value());
    const ScheduleForm& form = *observer.schedule;
    EXPECT_EQ(form.start, (MomentTexts{"31", "12", "2026", "07", "08", "09"}));
    EXPECT_EQ(form.stop, (MomentTexts{"01", "01", "2027", "07", "08", "09"}));
    EXPECT_EQ(QStringList({form.windowBeginHour, form.windowBeginMinute, form.windowEndHour,
                           form.windowEndMinute}),
              QStringList({"00", "00", "23", "59"}));
    EXPECT_EQ(form.interval, QStringLiteral("30"));
    EXPECT_EQ(form.count, QStringLiteral("10"));
    EXPECT_FALSE(form.stopAtMoment || form.stopAfterCount || form.dailyWindow);
}

TEST_F(StartupTest, TwoCamerasOpenTheLastOne) {
    cameraConfig.cameras = 2;
    load(true);
    EXPECT_EQ(cameraLog({"open"}), QStringList{"open(1)"});
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

// No registry on Linux: the advice is what a Linux user can check.
TEST_F(StartupTest, NoCameraShowsWhatToCheckAndEndsTheProgram) {
    cameraConfig.cameras = 0;
    load(true);
    ASSERT_EQ(messages.shown.size(), 1u);
    const QStringList lines = messages.shown[0].text.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("                   Камера не обнаружена!"));
    EXPECT_EQ(lines[1], QStringLiteral("         - Проверьте, что камера включена"));
    EXPECT_FALSE(messages.shown[0].text.contains(QStringLiteral("реестр")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("PTP")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("gphoto2 --auto-detect")));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(programEnds, std::vector<int>{1});
    EXPECT_EQ(script().log(), (QStringList{"initialize()", "cameraCount()"}))
        << "the camera is neither opened nor closed";
    EXPECT_FALSE(listsFilled());
}

TEST_F(StartupTest, AFailedInitialisationLeavesTheFacesInTheirStartState) {
    cameraConfig.initializeFails = true;
    load(true);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(
        messages.shown[0].text.startsWith(QStringLiteral("Ошибка инициализации камеры!\r\n")))
        << "and what to do";
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(programEnds.empty());
    EXPECT_EQ(script().log(), QStringList{"initialize()"});
    EXPECT_FALSE(listsFilled());
    EXPECT_EQ(state().model, EngineState().model);
    EXPECT_FALSE(state().picturesOnCard.has_value());
    EXPECT_FALSE(observer.schedule.has_value());

    // Previews stay off for the rest of the run, also after a settings change.
    engine->takePreview();
    engine->chooseSetting(SettingList::WhiteBalance, 1);
    EXPECT_EQ(script().log(), (QStringList{"initialize()", "setWhiteBalance(1)"}));
    EXPECT_TRUE(observer.previewsStored.isEmpty());
}

TEST_F(StartupTest, AnErrorWhileOpeningEndsLoadingAtThatStep) {
    create();
    script().failNext("open", 9, 1, QStringLiteral("Нет доступа"));
    engine->load();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Камера\r\nНет доступа"))
        << "the source as the user knows it";
    EXPECT_EQ(messages.shown[0].errorNumber, 9);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Snapdeck"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.shown[0].buttons, QStringList{"OK"});
    EXPECT_FALSE(listsFilled());
    EXPECT_TRUE(cameraLog({"modelName"}).isEmpty());
    EXPECT_TRUE(programEnds.empty());
}

// A battery tick during start-up's message boxes would ask a camera that was never
// opened and stack "Камера не подключена!" on top; without a camera the program ends.
TEST_F(StartupTest, TheBatteryTimerStartsOnlyOnceLoadingIsOver) {
    for (const bool noCamera : {true, false}) {
        SCOPED_TRACE(noCamera ? "no camera" : "failed initialisation");
        cameraConfig.cameras = noCamera ? 0 : 1;
        cameraConfig.initializeFails = !noCamera;
        engine.reset();
        create();
        std::vector<bool> tickingUnderBox;
        messages.answer = [&](const Message&) {
            tickingUnderBox.push_back(engine->batteryTimerActive());
            return 0;
        };
        engine->load();
        EXPECT_EQ(tickingUnderBox, std::vector<bool>{false});
        EXPECT_EQ(engine->batteryTimerActive(), !noCamera)
            << "the window stays after a failed initialisation, and so does its monitor";
    }
}

// A camera without preview, whose lens stands elsewhere than the sliders at start: the
// lens read-back moves the sliders, and the start still takes one preview, not one per
// slider, so the camera's "no preview" is reported once.
TEST_F(StartupTest, ACameraWithoutPreviewIsReportedOnceAtStart) {
    create();
    script().reportNext("zoom", 120);
    script().reportNext("focus", 60);
    script().failNext("takePreview", 1004, 10, QStringLiteral("Нет просмотра"));
    engine->load();
    EXPECT_EQ(messages.shown.size(), 1u) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(cameraLog({"takePreview"}).size(), 1);
    EXPECT_EQ(state().zoom.position, 120);
}

// A real camera may lack ISO "Авто", a screen mode and the preview: one box names all
// three; a camera lacking one thing gets that one box as it was; other errors keep theirs.
TEST_F(StartupTest, WhatTheCameraLacksAtStartIsNamedTogetherInOneBox) {
    create();
    script().failNext("setIsoSpeed", kCameraLacksIt, 1, QStringLiteral("Нет ISO «Авто»"));
    script().failNext("setMonitorMode", kCameraLacksIt, 1, QStringLiteral("Нет режима экрана"));
    script().failNext("setFlashMode", 1004, 1, QStringLiteral("Вспышка не ответила"));
    script().failNext("takePreview", kCameraLacksIt, 1, QStringLiteral("Нет просмотра"));
    engine->load();
    ASSERT_EQ(messages.shown.size(), 2u) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(messages.shown[0].errorNumber, 1004) << "not a lack: shown when it happens";
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("Камера\r\nКамера умеет не все, что программа ей задает при "
                             "запуске:\r\n- Нет ISO «Авто»\r\n- Нет режима экрана\r\n"
                             "- Нет просмотра\r\nОстальное работает."));
    EXPECT_EQ(messages.shown[1].errorNumber, kCameraLacksIt);

    // After start-up, a lack is one box when it happens.
    script().failNext("setIsoSpeed", kCameraLacksIt, 1, QStringLiteral("Нет ISO 400"));
    engine->chooseSetting(SettingList::Iso, 2);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].text, QStringLiteral("Камера\r\nНет ISO 400"));
}

// A camera may name itself at length: the name shown is cut, never inside a character.
TEST_F(StartupTest, ALongModelNameIsCutWithoutSplittingACharacter) {
    cameraConfig.model = QString(63, u'a') + QStringLiteral("\U0001F4F7 camera");
    load();
    EXPECT_EQ(state().model, QString(63, u'a'));
}
