#include "support/WindowFixture.h"
#include "ui/FocusCheck.h"
#include "ui/HistogramView.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace snapdeck;

namespace {

class LiveViewWindowTest : public test::WindowFixture {
protected:
    void showLoaded() {
        load();
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QCoreApplication::processEvents();
    }
    // The live-view timer's step, after "ms" have passed on the clock.
    void tickAfter(qint64 ms) {
        clock.set(clock.now().addMSecs(ms));
        engine().liveViewTick();
    }
    PictureBox* box() const { return find<PictureBox>("lastPictureBox"); }
    QCheckBox* liveBox() const { return find<QCheckBox>("liveViewBox"); }
    // Where the picture sits in the box: the widest 4:3 rectangle, centred across.
    QRect pictureArea() const {
        const QSize fitted = box()->image().size().scaled(box()->size(), Qt::KeepAspectRatio);
        return QRect(QPoint((box()->width() - fitted.width()) / 2, 0), fitted);
    }
    void clickPicture(QPointF share) {
        const QRect area = pictureArea();
        QTest::mouseClick(box(), Qt::LeftButton, {},
                          QPoint(area.x() + int(share.x() * area.width()),
                                 area.y() + int(share.y() * area.height())));
    }
};

const QRegularExpression
    kClippingLine(QStringLiteral("^Провалы в тенях: \\d+,\\d %   Пересветы: \\d+,\\d %$"));

} // namespace

// "Живой просмотр" streams the frames into the large picture with their histogram; a
// capture shows its picture and histogram, then the frames come back; unticked, the
// picture taken shows again.
TEST_F(LiveViewWindowTest, TheBoxStreamsFramesIntoTheLargePictureWithTheirHistogram) {
    showLoaded();
    ASSERT_TRUE(liveBox()->isEnabled());
    EXPECT_EQ(liveBox()->text(), QStringLiteral("&Живой просмотр"));
    EXPECT_EQ(liveBox()->toolTip(),
              QStringLiteral("Показывать в большом окне то, что видит камера"));
    EXPECT_EQ(liveBox()->parentWidget(), find<QPushButton>("previewButton")->parentWidget());

    QTest::mouseClick(liveBox(), Qt::LeftButton);
    EXPECT_TRUE(engine().state().liveView.on);
    ASSERT_TRUE(box()->showingLive());
    EXPECT_EQ(box()->image().size(), QSize(640, 480));
    const auto* histogram = find<HistogramView>("histogramView");
    EXPECT_EQ(histogram->histogram().pixels, 640u * 480u);
    EXPECT_TRUE(kClippingLine.match(find<QLabel>("clippingLine")->text()).hasMatch())
        << find<QLabel>("clippingLine")->text().toStdString();
    EXPECT_EQ(histogram->accessibleDescription(), find<QLabel>("clippingLine")->text());

    // Frames that come while none is painted replace each other: one paint, the newest.
    QSignalSpy painted(box(), &PictureBox::livePainted);
    for (int frame = 0; frame < 3; ++frame)
        tickAfter(40);
    box()->repaint();
    ASSERT_EQ(painted.count(), 1);
    EXPECT_EQ(painted.takeFirst().at(0).value<quint64>(), 4u);

    QTest::mouseClick(find<QPushButton>("captureButton"), Qt::LeftButton);
    waitForPictures();
    EXPECT_FALSE(box()->showingLive()) << "the picture taken is in view";
    EXPECT_EQ(box()->fileName(), filePath("image.jpg"));
    EXPECT_EQ(histogram->histogram(), box()->histogram());
    EXPECT_EQ(histogram->histogram().pixels,
              quint64(box()->image().width()) * box()->image().height());
    EXPECT_TRUE(liveBox()->isChecked());
    tickAfter(2000);
    EXPECT_TRUE(box()->showingLive());
    EXPECT_EQ(histogram->histogram().pixels, 640u * 480u);

    QTest::mouseClick(liveBox(), Qt::LeftButton);
    EXPECT_FALSE(engine().state().liveView.on);
    EXPECT_FALSE(box()->showingLive());
    EXPECT_EQ(box()->fileName(), filePath("image.jpg"));
    EXPECT_EQ(histogram->histogram(), box()->histogram());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(LiveViewWindowTest, ACameraWithoutLiveViewGreysTheBoxAndSaysWhy) {
    create();
    EXPECT_FALSE(liveBox()->isEnabled());
    EXPECT_EQ(liveBox()->toolTip(), QStringLiteral("Камера не подключена"));

    cameraConfig.liveViewSize = QSize();
    load();
    EXPECT_FALSE(liveBox()->isEnabled());
    EXPECT_EQ(liveBox()->toolTip(), QStringLiteral("Камера не передаёт живое изображение"));
}

// Frames larger than the box: a click shows the frame's own pixels around the spot,
// one on one screen pixel, kept inside the frame; a second click goes back. The keys
// do the same for the keyboard.
TEST_F(LiveViewWindowTest, AClickChecksTheFocusInTheLiveFrameAt100Percent) {
    cameraConfig.liveViewSize = QSize(1600, 1200);
    showLoaded();
    QTest::mouseClick(liveBox(), Qt::LeftButton);
    ASSERT_TRUE(box()->showingLive());
    const QSize view = pictureArea().size();
    ASSERT_LT(view.width(), 1600) << "the frame is larger than the box";

    clickPicture({0.5, 0.5});
    ASSERT_TRUE(box()->focusChecking());
    EXPECT_FALSE(box()->focusOnPictureTaken());
    EXPECT_EQ(box()->focusSourceSize(), QSize(1600, 1200));
    QRect crop = box()->focusCrop();
    EXPECT_EQ(crop.size(), view) << "100%: as many frame pixels as screen pixels";
    EXPECT_NEAR(crop.center().x(), 800, 2);
    EXPECT_NEAR(crop.center().y(), 600, 2);
    clickPicture({0.5, 0.5});
    EXPECT_FALSE(box()->focusChecking());

    clickPicture({0.02, 0.98});
    crop = box()->focusCrop();
    EXPECT_EQ(crop.left(), 0) << "kept inside the frame";
    EXPECT_EQ(crop.bottom(), 1199);
    clickPicture({0.5, 0.5});

    box()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box(), Qt::Key_Space);
    ASSERT_TRUE(box()->focusChecking());
    const int centreX = box()->focusCrop().center().x();
    QTest::keyClick(box(), Qt::Key_Right);
    EXPECT_NEAR(box()->focusCrop().center().x(), centreX + 80, 2) << "5% of the frame";
    tickAfter(40);
    EXPECT_TRUE(box()->focusChecking()) << "new frames keep the check";
    QTest::keyClick(box(), Qt::Key_Escape);
    EXPECT_FALSE(box()->focusChecking());
}

// Frames no larger than the box gain nothing at 100%: the check shows the picture
// taken last, decoded at its full size.
TEST_F(LiveViewWindowTest, WithSmallFramesTheFocusCheckShowsThePictureTakenAtFullSize) {
    cameraConfig.liveViewSize = QSize(320, 240);
    showLoaded();
    find<QComboBox>("imageSizeList")->setCurrentIndex(3); // 1600x1200
    QTest::mouseClick(find<QPushButton>("captureButton"), Qt::LeftButton);
    waitForPictures();
    const QSize full = QImageReader(filePath("image.jpg")).size();
    ASSERT_EQ(full, QSize(1600, 1200));
    QTest::mouseClick(liveBox(), Qt::LeftButton);
    ASSERT_TRUE(box()->showingLive());

    clickPicture({0.25, 0.75});
    waitForPictures();
    ASSERT_TRUE(box()->focusChecking());
    EXPECT_TRUE(box()->focusOnPictureTaken());
    EXPECT_EQ(box()->focusSourceSize(), full);
    const QRect crop = box()->focusCrop();
    EXPECT_EQ(crop.size(), pictureArea().size());
    // A click lands on a screen pixel, which covers several of the picture's.
    const int pixelsPerClick = full.width() / pictureArea().width() + 2;
    EXPECT_NEAR(crop.center().x(), full.width() / 4, pixelsPerClick);
    EXPECT_NEAR(crop.center().y(), full.height() * 3 / 4, pixelsPerClick);
}

// A camera that stops answering during live view: one message box, the box unticked,
// however many frames fell due.
TEST_F(LiveViewWindowTest, ACameraThatStopsAnsweringShowsOneBoxAndUnticks) {
    showLoaded();
    QTest::mouseClick(liveBox(), Qt::LeftButton);
    simulated->setUnplugged(true);
    for (int step = 0; step < 10; ++step)
        tickAfter(40);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].errorNumber, 26);
    EXPECT_FALSE(liveBox()->isChecked());
    EXPECT_TRUE(liveBox()->isEnabled());
    EXPECT_FALSE(box()->showingLive());
}

// The part of a picture shown at 100%: centred on the spot, the view's size, shifted
// inwards at the edges; a picture smaller than the view is shown whole.
TEST(FocusCheckCrop, CentresOnTheSpotAndStaysInsideThePicture) {
    const QSize picture(3264, 2448);
    const QSize view(560, 420);
    EXPECT_EQ(focusCheckCrop(picture, view, {0.5, 0.5}), QRect(1352, 1014, 560, 420));
    EXPECT_EQ(focusCheckCrop(picture, view, {0.25, 0.75}), QRect(536, 1626, 560, 420));
    EXPECT_EQ(focusCheckCrop(picture, view, {0.0, 0.0}), QRect(0, 0, 560, 420));
    EXPECT_EQ(focusCheckCrop(picture, view, {1.0, 1.0}), QRect(2704, 2028, 560, 420));
    EXPECT_EQ(focusCheckCrop(picture, view, {-3.0, 7.0}), QRect(0, 2028, 560, 420));
    EXPECT_EQ(focusCheckCrop(QSize(320, 240), view, {0.9, 0.1}), QRect(0, 0, 320, 240));
    EXPECT_EQ(focusCheckCrop(QSize(640, 300), view, {0.5, 0.5}), QRect(40, 0, 560, 300));
    EXPECT_TRUE(focusCheckCrop(QSize(), view, {0.5, 0.5}).isNull());
}
