#include "support/EngineFixture.h"

#include <QImage>

using namespace snapdeck;

namespace {

class LensControlTest : public test::EngineFixture {
protected:
    const LensState& zoom() const { return state().zoom; }
    const LensState& focus() const { return state().focus; }
    int previews() const { return cameraLog({"takePreview"}).size(); }
    void choose(SettingList list, const QString& caption) {
        engine->chooseSetting(list, int(settingCaptions(list).indexOf(caption)));
    }
    QString shownAperture() const {
        return settingCaptions(SettingList::Aperture)
            .value(state().list(SettingList::Aperture).selected);
    }
    // True when an aperture choice reaches the camera, that is no read-back is pending.
    bool apertureChoicesReachTheCamera() {
        script().clearLog();
        const int position = state().list(SettingList::Aperture).selected == 0 ? 1 : 0;
        engine->chooseSetting(SettingList::Aperture, position);
        return !cameraLog({"setExposure"}).isEmpty();
    }
};

} // namespace

TEST_F(LensControlTest, AZoomTheLensTakesIsSentOnceAndShown) {
    load();
    engine->moveZoom(120);
    EXPECT_EQ(cameraLog({"setZoom", "zoom"}), (QStringList{"setZoom(120)", "zoom()"}));
    EXPECT_EQ(zoom().position, 120);
    EXPECT_EQ(zoom().caption, QStringLiteral("Увеличение - 120/240"));
    EXPECT_EQ(previews(), 1);
}

TEST_F(LensControlTest, TheSliderFollowsTheLensStepWithoutSendingItBack) {
    load();
    engine->moveZoom(100); // the lens moves in steps of 8 from 80: it stops at 96
    EXPECT_EQ(cameraLog({"setZoom"}), QStringList{"setZoom(100)"});
    EXPECT_EQ(zoom().position, 96);
    EXPECT_EQ(zoom().caption, QStringLiteral("Увеличение - 96/240"));
    EXPECT_EQ(previews(), 1) << "one preview for the change";
}

TEST_F(LensControlTest, EveryZoomChangeReadsTheExposureBack) {
    load();
    choose(SettingList::ExposureMode, QStringLiteral("Вручную"));
    choose(SettingList::ExposureMode, QStringLiteral("Авто")); // no read-back pending

    // Automatic mode: the read-back stops early and stays pending, so that the manual
    // mode shows what the camera chose at the new zoom.
    script().clearLog();
    engine->moveZoom(160);
    EXPECT_EQ(cameraLog({"exposure"}).size(), 1);
    script().reportNext("exposure.aperture", 35, 3);
    choose(SettingList::ExposureMode, QStringLiteral("Вручную"));
    EXPECT_EQ(shownAperture(), QStringLiteral("3.5"));

    // Manual mode: the aperture list shows the lens's aperture at the new zoom.
    script().reportNext("exposure.aperture", 45);
    engine->moveZoom(240);
    EXPECT_EQ(shownAperture(), QStringLiteral("4.5"));
    EXPECT_TRUE(apertureChoicesReachTheCamera()) << "the read-back is over";
}

TEST_F(LensControlTest, FocusNeverTouchesTheExposure) {
    load();
    choose(SettingList::FocusMode, QStringLiteral("Вручную"));
    choose(SettingList::ExposureMode, QStringLiteral("Вручную"));
    script().clearLog();
    engine->moveFocus(150);
    EXPECT_EQ(cameraLog({"setFocus", "focus"}), (QStringList{"setFocus(150)", "focus()"}));
    EXPECT_EQ(focus().position, 150);
    EXPECT_EQ(focus().caption, QStringLiteral("Фокусировка - 150/240"));
    EXPECT_TRUE(cameraLog({"exposure", "setExposure"}).isEmpty());
    EXPECT_EQ(previews(), 1);
    EXPECT_TRUE(apertureChoicesReachTheCamera()) << "no read-back left pending";
}

TEST_F(LensControlTest, APositionOutsideTheSliderIsReportedOnceAndTheSliderStaysAlive) {
    load();
    script().reportNext("zoom", 300);
    engine->moveZoom(200);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 380);
    EXPECT_EQ(zoom().position, 200) << "left where the user put it";
    EXPECT_EQ(zoom().caption, QStringLiteral("Увеличение - 80/240")) << "the caption stays";
    EXPECT_EQ(previews(), 0);

    messages.clear();
    script().reportNext("focus", 70000);
    engine->moveFocus(20);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 6) << "an overflow";

    messages.clear();
    engine->moveZoom(120);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(zoom().caption, QStringLiteral("Увеличение - 120/240")) << "the next change works";
}

TEST_F(LensControlTest, AFailedMoveLeavesSliderAndCaptionWithoutRetrying) {
    load();
    script().failNext("setZoom", 26);
    engine->moveZoom(200);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(zoom().position, 200);
    EXPECT_EQ(zoom().caption, QStringLiteral("Увеличение - 80/240"));
    EXPECT_TRUE(cameraLog({"close", "zoom", "exposure"}).isEmpty()) << "no retry here";
    EXPECT_EQ(previews(), 0);
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
    const QString preview = filePath(QStringLiteral("preview.jpg"));
    const QImage wide(preview);
    engine->takePreview();
    const QImage again(preview);
    engine->moveZoom(240);
    const QImage tele(preview);
    ASSERT_FALSE(wide.isNull());
    EXPECT_EQ(observer.previewsStored.size(), 3);
    EXPECT_GT(difference(wide, tele), 4 * difference(wide, again) + 5);
}
