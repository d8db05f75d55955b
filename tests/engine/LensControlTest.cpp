#include "settings/LensControl.h"
#include "app/WindowState.h"
#include "capture/PictureBox.h"
#include "support/WindowFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

using namespace snapdeck;

namespace {

class LensControlTest : public test::WindowFixture {
protected:
    QSlider* zoom() { return find<QSlider>("scrollZoom"); }
    QSlider* focus() { return find<QSlider>("scrollFocus"); }
    QString zoomLabel() { return find<QLabel>("lblZoom")->text(); }
    QString focusLabel() { return find<QLabel>("lblFocus")->text(); }
};

} // namespace

TEST_F(LensControlTest, AZoomTheLensTakesIsSentOnceAndShown) {
    load();
    zoom()->setValue(120);
    EXPECT_EQ(cameraLog({"ZoomPosition=", "ZoomPosition"}),
              (QStringList{"ZoomPosition(0)=120", "ZoomPosition(0)"}));
    EXPECT_EQ(zoom()->value(), 120);
    EXPECT_EQ(zoomLabel(), QStringLiteral("Увеличение - 120/240"));
    EXPECT_EQ(cameraLog({"TakePreview"}).size(), 1);
}

TEST_F(LensControlTest, TheSliderFollowsTheLensStepWithoutSendingItBack) {
    load();
    zoom()->setValue(100); // the lens moves in steps of 8 from 80: it stops at 96
    EXPECT_EQ(cameraLog({"ZoomPosition="}), QStringList{"ZoomPosition(0)=100"});
    EXPECT_EQ(zoom()->value(), 96);
    EXPECT_EQ(zoomLabel(), QStringLiteral("Увеличение - 96/240"));
    EXPECT_FALSE(window->lensControl().zoomBusy());
    EXPECT_EQ(cameraLog({"TakePreview"}).size(), 1) << "one preview for the change";
}

TEST_F(LensControlTest, EveryZoomChangeReadsTheExposureBack) {
    load();
    // Automatic mode: the read-back stops early and stays pending.
    zoom()->setValue(160);
    EXPECT_EQ(cameraLog({"GetExposure"}).size(), 1);
    EXPECT_TRUE(window->state().ExposureBusy);

    // Manual mode: the aperture list shows the lens's aperture at the new zoom.
    find<QComboBox>("combExpMode")->setCurrentIndex(1);
    ASSERT_FALSE(window->state().ExposureBusy);
    camera->script().reportNext("GetExposure.aperture", 45);
    zoom()->setValue(240);
    EXPECT_EQ(find<QComboBox>("combAperture")->currentText(), QStringLiteral("4.5"));
    EXPECT_FALSE(window->state().ExposureBusy);
}

TEST_F(LensControlTest, FocusNeverTouchesTheExposure) {
    load();
    find<QComboBox>("combFocusMode")->setCurrentIndex(1); // "Вручную"
    const bool busyBefore = window->state().ExposureBusy;
    camera->script().clearLog();
    focus()->setValue(150);
    EXPECT_EQ(cameraLog({"FocusPosition=", "FocusPosition"}),
              (QStringList{"FocusPosition(0)=150", "FocusPosition(0)"}));
    EXPECT_EQ(focusLabel(), QStringLiteral("Фокусировка - 150/240"));
    EXPECT_TRUE(cameraLog({"GetExposure", "SetExposure"}).isEmpty());
    EXPECT_EQ(window->state().ExposureBusy, busyBefore);
    EXPECT_EQ(cameraLog({"TakePreview"}).size(), 1);
}

TEST_F(LensControlTest, APositionOutsideTheSliderIsReportedOnceAndTheSliderStaysAlive) {
    load();
    camera->script().reportNext("ZoomPosition", 300);
    zoom()->setValue(200);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("\r\n380")));
    EXPECT_EQ(zoom()->value(), 200) << "left where the user put it";
    EXPECT_EQ(zoomLabel(), QStringLiteral("Увеличение - 80/240")) << "the label keeps its text";
    EXPECT_FALSE(window->lensControl().zoomBusy());
    EXPECT_TRUE(cameraLog({"TakePreview"}).isEmpty());

    messages.clear();
    zoom()->setValue(120);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(zoomLabel(), QStringLiteral("Увеличение - 120/240")) << "the next change works";
}

TEST_F(LensControlTest, AFailedMoveLeavesSliderAndLabel) {
    load();
    camera->script().failNext("ZoomPosition=", 26);
    zoom()->setValue(200);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(zoom()->value(), 200);
    EXPECT_EQ(zoomLabel(), QStringLiteral("Увеличение - 80/240"));
    EXPECT_TRUE(cameraLog({"CloseCamera", "ZoomPosition"}).isEmpty()) << "no retry here";
}

// The preview follows the lens: zooming in changes the picture far more than the
// imprint of a new time does between two previews of the same framing.
TEST_F(LensControlTest, ZoomingChangesThePreviewPicture) {
    load();
    auto difference = [](const QImage& a, const QImage& b) {
        const QImage x = a.convertToFormat(QImage::Format_Grayscale8);
        const QImage y = b.convertToFormat(QImage::Format_Grayscale8).scaled(x.size());
        qint64 sum = 0;
        for (int row = 0; row < x.height(); ++row)
            for (int col = 0; col < x.width(); ++col)
                sum += std::abs(x.pixelColor(col, row).value() - y.pixelColor(col, row).value());
        return double(sum) / (x.width() * x.height());
    };
    const QImage wide = window->Image2->image();
    window->cmdPreview->click();
    const QImage again = window->Image2->image();
    zoom()->setValue(240);
    const QImage tele = window->Image2->image();
    ASSERT_FALSE(wide.isNull());
    EXPECT_GT(difference(wide, tele), 4 * difference(wide, again) + 5);
}

TEST_F(LensControlTest, ADragMovesTheLensOnceWhenTheThumbIsLetGo) {
    load();
    zoom()->setSliderDown(true);
    for (const int position : {104, 128, 152, 176})
        zoom()->setSliderPosition(position);
    EXPECT_TRUE(cameraLog({"ZoomPosition="}).isEmpty()) << "nothing while the thumb is held";
    zoom()->setSliderDown(false);
    EXPECT_EQ(cameraLog({"ZoomPosition="}), QStringList{"ZoomPosition(0)=176"});
    EXPECT_EQ(cameraLog({"TakePreview"}).size(), 1);
    EXPECT_EQ(zoomLabel(), QStringLiteral("Увеличение - 176/240"));
}
