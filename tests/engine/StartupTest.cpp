#include "app/CameraStatusFrame.h"
#include "app/ConnectionMonitor.h"
#include "settings/LensFrame.h"
#include "support/WindowFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using namespace snapdeck;

namespace {

class StartupTest : public test::WindowFixture {
protected:
    QComboBox* list(const char* name) { return find<QComboBox>(name); }
};

} // namespace

TEST_F(StartupTest, OpensTheCameraSendsTheInitialSettingsAndTakesAPreview) {
    load(/*keepLog=*/true);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    QStringList log = camera->script().log();
    ASSERT_TRUE(log.last().startsWith(QStringLiteral("DownloadPreview(0, ")));
    log.last() = QStringLiteral("DownloadPreview(0)");
    EXPECT_EQ(
        log,
        (QStringList{"Initialize()", "GetCameraCount()", "OpenCamera(0)", "GetModelName(0)",
                     // the lists, in their filling order, each handler once
                     "ImageSize(0)=0", "GetRemainingCount(0)", "IsoSpeed(0)=0", "WhiteBalance(0)=0",
                     "SetMonitorMode(0, 1)", "SetExposure(0, 2/0/0/0/0)", "FlashMode(0)=0",
                     "FocusMode(0)=2", "SetExposure(0, 2/28/0/0/0)", "GetExposure(0)",
                     // the camera's state read back
                     "GetRemainingCount(0)", "GetPictureCount(0)", "ImageSize(0)",
                     "ZoomPosition(0)", "FocusPosition(0)",
                     // the first preview
                     "TakePreview(0)", "SelectedPicture(0)=0", "GetPictureSize(0)",
                     "DownloadPreview(0)"}));
    EXPECT_FALSE(window->state().FormLoading);
    EXPECT_TRUE(window->state().ExposureBusy)
        << "the aperture read-back stopped in automatic mode, so 1/30 was not sent";
    EXPECT_EQ(find<QLabel>("lblModel")->text(), cameraConfig.model);
    EXPECT_EQ(find<QLabel>("lblZoom")->text(), QStringLiteral("Увеличение - 80/240"));
    EXPECT_EQ(find<QLabel>("lblFocus")->text(), QStringLiteral("Фокусировка - 0/240"));
    EXPECT_EQ(find<QLabel>("PicCnt")->text(), QStringLiteral("0"));
    EXPECT_NE(find<QLabel>("RemCnt")->text(), QStringLiteral("RemCnt"));
}

TEST_F(StartupTest, ListsShowTheirInitialEntries) {
    load();
    for (const char* name : {"combReso", "combExpMode", "combWB", "combFlash", "combISO", "combLCD",
                             "combFocusMode"}) {
        EXPECT_EQ(list(name)->currentIndex(), 0) << name;
        EXPECT_TRUE(list(name)->isEnabled()) << name;
    }
    EXPECT_EQ(list("combShutter")->currentText(), QStringLiteral("1/30"));
    EXPECT_EQ(list("combShutter")->currentData().toInt(), 33333);
    EXPECT_FALSE(list("combShutter")->isEnabled());
    EXPECT_EQ(list("combAperture")->currentText(), QStringLiteral("2.8"));
    EXPECT_FALSE(list("combAperture")->isEnabled());
    EXPECT_FALSE(find<QSlider>("scrollFocus")->isEnabled());
    EXPECT_EQ(find<QSlider>("scrollZoom")->value(), 80);
}

TEST_F(StartupTest, ScheduleBoxesStartFromTheClockWithTomorrowRollingOverTheYear) {
    clock.set(QDateTime(QDate(2026, 12, 31), QTime(7, 8, 9)));
    load();
    auto text = [&](const char* name) { return find<QLineEdit>(name)->text(); };
    EXPECT_EQ(
        QStringList({text("DBD"), text("DBM"), text("DBY"), text("TBH"), text("TBM"), text("TBS")}),
        QStringList({"31", "12", "2026", "07", "08", "09"}));
    EXPECT_EQ(
        QStringList({text("DSD"), text("DSM"), text("DSY"), text("TSH"), text("TSM"), text("TSS")}),
        QStringList({"01", "01", "2027", "07", "08", "09"}));
    EXPECT_EQ(QStringList({text("WBH"), text("WBM"), text("WEH"), text("WEM")}),
              QStringList({"00", "00", "23", "59"}));
    EXPECT_EQ(text("txtInterval"), QStringLiteral("30"));
    EXPECT_EQ(text("txtCaptureCount"), QStringLiteral("10"));
}

TEST_F(StartupTest, TwoCamerasOpenTheLastOneButOperationsUseCameraZero) {
    cameraConfig.cameras = 2;
    load(true);
    EXPECT_EQ(cameraLog({"OpenCamera"}), QStringList{"OpenCamera(1)"});
    EXPECT_EQ(globals.CameraNumber, 0);
    EXPECT_EQ(cameraLog({"TakePreview"}), QStringList{"TakePreview(0)"});
}

TEST_F(StartupTest, NoCameraShowsTheFiveLineMessageAndEndsTheProgram) {
    cameraConfig.cameras = 0;
    load(true);
    ASSERT_EQ(messages.shown.size(), 1u);
    const QStringList lines = messages.shown[0].text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("                   Камера не обнаружена!"));
    EXPECT_EQ(lines[3], QStringLiteral("-Проверьте, что ветвь реестра 'SupportedCamera'"));
    EXPECT_EQ(lines[4], QStringLiteral("             содержит правильные значения."));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(programEnds, std::vector<int>{1});
    EXPECT_EQ(camera->script().log(), (QStringList{"Initialize()", "GetCameraCount()"}))
        << "the camera is neither opened nor closed";
    EXPECT_EQ(list("combReso")->count(), 0);
}

TEST_F(StartupTest, AFailedInitialisationLeavesTheWindowInItsDesignState) {
    cameraConfig.initializeFails = true;
    load(true);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Ошибка инициализации камеры!"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(programEnds.empty());
    EXPECT_EQ(camera->script().log(), QStringList{"Initialize()"});
    EXPECT_TRUE(window->state().FormLoading);
    EXPECT_EQ(list("combReso")->count(), 0);
    EXPECT_EQ(find<QLabel>("PicCnt")->text(), QStringLiteral("PicCnt"));

    // Previews stay off for the rest of the run, also after a settings change.
    window->cmdPreview->click();
    list("combWB")->addItem(QStringLiteral("x"), 1);
    EXPECT_EQ(camera->script().log(), (QStringList{"Initialize()", "WhiteBalance(0)=1"}));
}

TEST_F(StartupTest, AnErrorWhileOpeningEndsLoadingAtThatStep) {
    create();
    camera->script().failNext("OpenCamera", 9, 1, QStringLiteral("Нет доступа"));
    window->Form_Load();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("SimulatedCamera\r\nНет доступа\r\n9"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Snapdeck"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.shown[0].buttons, QStringList{"OK"});
    EXPECT_EQ(list("combReso")->count(), 0);
    EXPECT_TRUE(cameraLog({"GetModelName"}).isEmpty());
}

// The boxes of loading keep Qt's timers running: a battery tick under them would ask a
// camera that was never opened and stack "Камера не подключена!" on top.
TEST_F(StartupTest, TheBatteryTimerStartsOnlyOnceLoadingIsOver) {
    for (const bool noCamera : {true, false}) {
        SCOPED_TRACE(noCamera ? "no camera" : "failed initialisation");
        cameraConfig.cameras = noCamera ? 0 : 1;
        cameraConfig.initializeFails = !noCamera;
        window.reset();
        create();
        std::vector<bool> tickingUnderBox;
        messages.answer = [&](const Message&) {
            tickingUnderBox.push_back(window->connectionMonitor().tBat.isActive());
            return 0;
        };
        window->Form_Load();
        EXPECT_EQ(tickingUnderBox, std::vector<bool>{false});
        EXPECT_EQ(window->connectionMonitor().tBat.isActive(), !noCamera)
            << "the window stays after a failed initialisation, and so does its monitor";
    }
}

// A camera without preview, whose lens stands elsewhere than the sliders at start: the
// lens read-back moves the sliders, and the start still takes one preview, not one per
// slider, so the camera's "no preview" is reported once.
TEST_F(StartupTest, ACameraWithoutPreviewIsReportedOnceAtStart) {
    create();
    camera->script().reportNext("ZoomPosition", 120);
    camera->script().reportNext("FocusPosition", 60);
    camera->script().failNext("TakePreview", 1004, 10, QStringLiteral("Нет просмотра"));
    window->Form_Load();
    EXPECT_EQ(messages.shown.size(), 1u) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(cameraLog({"TakePreview"}).size(), 1);
    EXPECT_EQ(window->findChild<QSlider*>(QStringLiteral("scrollZoom"))->value(), 120);
}
