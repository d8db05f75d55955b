#include "camera/simulator/SimulatedCamera.h"

#include "camera/CameraError.h"
#include "camera/simulator/SimulatedOptics.h"
#include "camera/simulator/SimulatedScene.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace snapdeck {
namespace {

int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const CameraError& error) {
        return error.number();
    }
    return 0;
}
#define EXPECT_ERROR(number, call) EXPECT_EQ(errorOf([&] { call; }), number) << #call

// Calls every operation; the two that find the camera may be allowed to answer.
void expectNothingAnswers(SimulatedCamera& c, bool findingCallsAnswer = false) {
    EXPECT_ERROR(findingCallsAnswer ? 0 : 26, c.initialize());
    EXPECT_ERROR(findingCallsAnswer ? 0 : 26, c.cameraCount());
    const Exposure exposure{ExposureMode::Automatic, 28, 33333};
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"modelName", [&] { c.modelName(); }},
        {"open", [&] { c.open(0); }},
        {"close", [&] { c.close(); }},
        {"pictureCount", [&] { c.pictureCount(); }},
        {"remainingCount", [&] { c.remainingCount(); }},
        {"pictureSize", [&] { c.pictureSize(1); }},
        {"downloadPicture", [&] { c.downloadPicture(1, {}); }},
        {"deletePicture", [&] { c.deletePicture(1); }},
        {"takePicture", [&] { c.takePicture(); }},
        {"takePreview", [&] { c.takePreview({}); }},
        {"imageSize", [&] { c.imageSize(); }},
        {"setImageSize", [&] { c.setImageSize(ImageSize::Sq2_640x480); }},
        {"setWhiteBalance", [&] { c.setWhiteBalance(WhiteBalance::Auto); }},
        {"setIsoSpeed", [&] { c.setIsoSpeed(IsoSpeed::Auto); }},
        {"setFlashMode", [&] { c.setFlashMode(FlashMode::Auto); }},
        {"setFocusMode", [&] { c.setFocusMode(FocusMode::Auto); }},
        {"setMonitorMode", [&] { c.setMonitorMode(MonitorMode::On); }},
        {"exposure", [&] { c.exposure(); }},
        {"setExposure", [&] { c.setExposure(exposure); }},
        {"zoom", [&] { c.zoom(); }},
        {"setZoom", [&] { c.setZoom(120); }},
        {"focus", [&] { c.focus(); }},
        {"setFocus", [&] { c.setFocus(120); }},
        {"batteryPercent", [&] { c.batteryPercent(); }},
    };
    for (const auto& [name, call] : calls)
        EXPECT_EQ(errorOf(call), 26) << name;
}

class SimulatedCameraTest : public ::testing::Test {
protected:
    void SetUp() override { camera.setImageSize(ImageSize::Sq2_640x480); }
    // Takes a picture and copies it, as a capture does.
    QByteArray takePicture() {
        camera.takePicture();
        return camera.downloadPicture(camera.pictureCount(), {});
    }
    QImage picture() { return QImage::fromData(takePicture()); }
    void setExposure(ExposureMode mode, int aperture, int shutter) {
        camera.setExposure(Exposure{mode, aperture, shutter});
    }
    int zoomTo(int position) {
        camera.setZoom(position);
        return camera.zoom();
    }

    SimulatedCamera camera;
};

// Channel means and mean neighbour contrast of a small copy, where sensor noise
// averages out.
struct Look {
    double red = 0, green = 0, blue = 0, contrast = 0;
    double luma() const { return (red + green + blue) / 3; }
};

Look lookOf(const QImage& image) {
    const QImage small = image.scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Look look;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 160; ++x) {
            const QRgb p = small.pixel(x, y);
            look.red += qRed(p) / 19200.0;
            look.green += qGreen(p) / 19200.0;
            look.blue += qBlue(p) / 19200.0;
            if (x > 0)
                look.contrast += std::abs(qGray(p) - qGray(small.pixel(x - 1, y))) / 19200.0;
        }
    }
    return look;
}

double difference(const QImage& a, const QImage& b) {
    const QImage sa = a.scaled(80, 60, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage sb = b.scaled(80, 60, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double total = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            total += std::abs(qGray(sa.pixel(x, y)) - qGray(sb.pixel(x, y))) / 4800.0;
    return total;
}

TEST(SimulatedCameraSession, StartsLikeACameraThatIsSwitchedOn) {
    SimulatedCamera camera;
    EXPECT_TRUE(camera.initialize());
    EXPECT_EQ(camera.cameraCount(), 1);
    EXPECT_EQ(camera.modelName(), camera.config().model);
    EXPECT_EQ(camera.imageSize(), ImageSize::Hq3264x2448) << "as the last session left it";
    EXPECT_EQ(camera.zoom(), 80);
    EXPECT_EQ(camera.focus(), 1);
    EXPECT_ERROR(381, camera.open(1));
    EXPECT_ERROR(381, camera.open(-1));
    camera.open(0);
    camera.close();
    EXPECT_EQ(camera.pictureCount(), 0) << "a closed session opens again by itself";
}

TEST(SimulatedCameraSession, ACameraThatDidNotComeUpOrIsUnpluggedDoesNotAnswer) {
    SimulatedCameraConfig config;
    config.initializeFails = true;
    SimulatedCamera failed(config);
    EXPECT_FALSE(failed.initialize());
    expectNothingAnswers(failed, true);

    config = {};
    config.cameras = 0;
    SimulatedCamera absent(config);
    EXPECT_EQ(absent.cameraCount(), 0);
    EXPECT_ERROR(381, absent.open(0));
    EXPECT_ERROR(26, absent.takePicture());

    SimulatedCamera camera;
    camera.setImageSize(ImageSize::Sq2_640x480);
    camera.setUnplugged(true);
    expectNothingAnswers(camera);
    try {
        camera.takePicture();
        ADD_FAILURE() << "an unplugged camera took a picture";
    } catch (const CameraError& error) {
        EXPECT_EQ(error.source(), QStringLiteral("Камера"));
        EXPECT_EQ(error.description(), QStringLiteral("Камера не отвечает"));
    }
    camera.setUnplugged(false);
    camera.takePicture();
    EXPECT_EQ(camera.picturesOnCard(), 1);
}

TEST_F(SimulatedCameraTest, EveryImageSizeGivesAJpegOfItsPixelSize) {
    for (const ImageSizeEntry& entry : settingTables::imageSizes()) {
        camera.setImageSize(entry.value);
        EXPECT_EQ(camera.imageSize(), entry.value);
        const QByteArray jpeg = takePicture();
        EXPECT_EQ(QImage::fromData(jpeg, "JPEG").size(), entry.pixels)
            << entry.caption.toString().toStdString();
        if (entry.value == ImageSize::Hq3264x2448) {
            EXPECT_GT(jpeg.size(), 2'000'000);
            EXPECT_LT(jpeg.size(), 4'000'000);
        }
    }
    for (const int bad : {7, 8, 10, -1})
        EXPECT_ERROR(380, camera.setImageSize(ImageSize(bad)));
    EXPECT_EQ(camera.imageSize(), ImageSize::Hq3264x2448) << "a refused size changes nothing";
}

TEST_F(SimulatedCameraTest, NoTwoPicturesAreAlikeAndEachCarriesItsNumber) {
    const QByteArray first = takePicture();
    QByteArray second = takePicture();
    EXPECT_NE(first, second);
    QBuffer buffer(&second);
    EXPECT_TRUE(QImageReader(&buffer, "JPEG").text(kSceneCommentKey).contains(u"№0002"));
    // Same settings, same scene: only noise and the imprint differ.
    EXPECT_LT(difference(QImage::fromData(first), QImage::fromData(second)), 3.0);
}

TEST_F(SimulatedCameraTest, PictureFollowsExposureWhiteBalanceZoomAndFocus) {
    setExposure(ExposureMode::Manual, 28, 16667); // what the scene needs at f/2.8
    const QImage proper = picture();
    setExposure(ExposureMode::Manual, 28, 66667); // two stops more
    EXPECT_GT(lookOf(picture()).luma(), lookOf(proper).luma() * 1.3);
    setExposure(ExposureMode::Manual, 28, 4000); // two stops less
    EXPECT_LT(lookOf(picture()).luma(), lookOf(proper).luma() * 0.7);
    setExposure(ExposureMode::Manual, 28, 16667);

    const Look neutral = lookOf(proper);
    camera.setWhiteBalance(WhiteBalance::Incandescent); // on daylight: blue
    const Look tungsten = lookOf(picture());
    camera.setWhiteBalance(WhiteBalance::Cloudy); // warm
    const Look cloudy = lookOf(picture());
    camera.setWhiteBalance(WhiteBalance::Auto);
    EXPECT_GT(tungsten.blue / tungsten.red, neutral.blue / neutral.red * 1.2);
    EXPECT_LT(cloudy.blue / cloudy.red, neutral.blue / neutral.red * 0.9);

    zoomTo(240);
    EXPECT_GT(difference(picture(), proper), 15.0);
    zoomTo(80);

    camera.setFocus(1);
    const double autoFocused = lookOf(picture()).contrast; // position unused in auto focus
    camera.setFocusMode(FocusMode::Manual);
    const double missed = lookOf(picture()).contrast;
    camera.setFocus(simulated::kSubjectFocus);
    const double focused = lookOf(picture()).contrast;
    EXPECT_LT(missed, focused * 0.6);
    EXPECT_NEAR(autoFocused, focused, focused * 0.15);
}

TEST_F(SimulatedCameraTest, RemainingCountFollowsImageSizeAndPicturesOnTheCard) {
    EXPECT_EQ(camera.remainingCount(), camera.config().capacity);
    camera.setImageSize(ImageSize::Hq3264x2448);
    const int emptyAtHq = camera.remainingCount();
    EXPECT_GT(emptyAtHq, 5);
    EXPECT_LT(emptyAtHq, camera.config().capacity / 10);
    takePicture();
    takePicture();
    EXPECT_LT(camera.remainingCount(), emptyAtHq - 1);
    EXPECT_EQ(camera.picturesOnCard(), 2);

    SimulatedCameraConfig config;
    config.capacity = 1;
    SimulatedCamera small(config);
    small.setImageSize(ImageSize::Sq2_640x480);
    small.takePicture();
    EXPECT_EQ(small.remainingCount(), 0);
    EXPECT_ERROR(1002, small.takePicture());
    EXPECT_EQ(small.pictureCount(), 1);
}

TEST_F(SimulatedCameraTest, NumbersDecideWhatIsSizedCopiedAndDeleted) {
    EXPECT_ERROR(381, camera.pictureSize(1)); // nothing on the card
    EXPECT_ERROR(381, camera.downloadPicture(1, {}));
    const QByteArray first = takePicture(), second = takePicture(), third = takePicture();
    for (const int bad : {0, 4, -1}) {
        EXPECT_ERROR(381, camera.pictureSize(bad));
        EXPECT_ERROR(381, camera.downloadPicture(bad, {}));
        EXPECT_ERROR(381, camera.deletePicture(bad));
    }
    EXPECT_EQ(camera.pictureSize(2), second.size());
    EXPECT_EQ(camera.downloadPicture(2, {}), second);

    camera.deletePicture(1);
    EXPECT_EQ(camera.pictureCount(), 2);
    EXPECT_EQ(camera.downloadPicture(1, {}), second) << "the newer pictures move down";
    EXPECT_EQ(camera.downloadPicture(2, {}), third);
    EXPECT_ERROR(381, camera.deletePicture(3));

    const QByteArray preview = camera.takePreview({});
    EXPECT_EQ(QImage::fromData(preview, "JPEG").size(), QSize(320, 240));
    EXPECT_EQ(camera.pictureCount(), 2) << "a preview stores nothing on the card";
    EXPECT_NE(preview, first);
}

TEST_F(SimulatedCameraTest, CopiesReportTheirProgressInChunks) {
    takePicture();
    std::vector<qint64> done;
    std::vector<qint64> totals;
    const TransferProgress progress = [&](qint64 bytes, qint64 total) {
        done.push_back(bytes);
        totals.push_back(total);
    };
    const QByteArray picture = camera.downloadPicture(1, progress);
    EXPECT_GE(done.size(), 4u);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end(), std::less_equal<>()));
    EXPECT_EQ(done.back(), picture.size());
    EXPECT_TRUE(std::all_of(totals.begin(), totals.end(),
                            [&](qint64 total) { return total == picture.size(); }));

    done.clear();
    totals.clear();
    const QByteArray preview = camera.takePreview(progress);
    EXPECT_GE(done.size(), 4u);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end(), std::less_equal<>()));
    EXPECT_EQ(done.back(), preview.size());
    EXPECT_EQ(totals.back(), preview.size());
}

TEST_F(SimulatedCameraTest, SettingsOutsideTheirListsAreRefused) {
    camera.setIsoSpeed(IsoSpeed::Iso50);
    camera.setFlashMode(FlashMode::SlowSync);
    camera.setWhiteBalance(WhiteBalance::Cloudy);
    EXPECT_ERROR(380, camera.setWhiteBalance(WhiteBalance(8)));
    EXPECT_ERROR(380, camera.setIsoSpeed(IsoSpeed(4)));
    EXPECT_ERROR(380, camera.setFlashMode(FlashMode(5)));
    EXPECT_ERROR(380, camera.setFocusMode(FocusMode(0)));
    EXPECT_ERROR(380, camera.setMonitorMode(MonitorMode(4)));
    EXPECT_ERROR(380, setExposure(ExposureMode(3), 28, 33333));
    EXPECT_ERROR(380, setExposure(ExposureMode{}, 28, 33333));
}

TEST_F(SimulatedCameraTest, ZoomSnapsToLensStepsAndFocusIsClamped) {
    EXPECT_EQ(zoomTo(100), 96); // halfway between steps: the lower one
    EXPECT_EQ(zoomTo(101), 104);
    EXPECT_EQ(zoomTo(500), 240);
    EXPECT_EQ(zoomTo(10), 80);
    for (const auto& [asked, taken] : {std::pair{0, 1}, {123, 123}, {999, 240}}) {
        camera.setFocus(asked);
        EXPECT_EQ(camera.focus(), taken);
    }
}

// Found by fuzzing: a zoom_step near the largest int overflowed the snapping.
TEST(SimulatedCameraLens, AnyZoomStepFromCameraIniStaysOnTheLens) {
    const struct {
        const char* line;
        int asked, taken;
    } cases[] = {{"zoom_step=160", 239, 240},       {"zoom_step=160", 160, 80},
                 {"zoom_step=161", 240, 80},        {"zoom_step=1073741824", 200, 80},
                 {"zoom_step=2147483647", 240, 80}, {"zoom_step=2147483647", 80, 80}};
    for (const auto& c : cases) {
        SimulatedCamera camera(SimulatedCameraConfig::fromText(QString::fromLatin1(c.line)));
        camera.setZoom(c.asked);
        EXPECT_EQ(camera.zoom(), c.taken) << c.line << ", asked " << c.asked;
    }
}

TEST_F(SimulatedCameraTest, AutomaticExposureChoosesWhatTheSceneNeeds) {
    const Exposure wide = camera.exposure();
    EXPECT_EQ(wide.mode, ExposureMode::Automatic);
    EXPECT_EQ(wide.aperture, 28);
    zoomTo(160);
    const int middle = camera.exposure().aperture;
    zoomTo(240);
    EXPECT_EQ(camera.exposure().aperture, 48);
    EXPECT_TRUE(middle > 28 && middle < 48) << middle;

    const auto times = settingTables::shutterTimes();
    for (const auto& [speed, iso] : {std::pair{IsoSpeed::Auto, 100},
                                     {IsoSpeed::Iso50, 50},
                                     {IsoSpeed::Iso200, 200},
                                     {IsoSpeed::Iso400, 400}}) {
        camera.setIsoSpeed(speed);
        const Exposure e = camera.exposure();
        EXPECT_TRUE(std::any_of(times.begin(), times.end(), [&](const auto& entry) {
            return entry.value == e.shutter;
        })) << e.shutter;
        // Within a third of a stop of EV 9 at this sensitivity.
        const double f = e.aperture / 10.0;
        EXPECT_LT(std::abs(std::log2(e.shutter / 1e6 * 512 * iso / 100 / (f * f))), 0.34) << iso;
    }
}

TEST_F(SimulatedCameraTest, ManualExposureKeepsWhatItIsSent) {
    setExposure(ExposureMode::Manual, 30, 500);
    EXPECT_EQ(camera.exposure(), (Exposure{ExposureMode::Manual, 30, 500}));
    zoomTo(240);
    EXPECT_EQ(camera.exposure().aperture, 30);
    setExposure(ExposureMode::Automatic, 30, 500);
    EXPECT_EQ(camera.exposure().aperture, 48);

    camera.setExposureOnCamera(Exposure{ExposureMode::Manual, 56, 8000});
    EXPECT_EQ(camera.exposure(), (Exposure{ExposureMode::Manual, 56, 8000}));
}

TEST(SimulatedCameraBattery, DrainsWithUseAndStopsTheCameraWhenEmpty) {
    SimulatedCameraConfig config;
    config.battery = 57;
    SimulatedCamera camera(config);
    EXPECT_EQ(camera.batteryPercent(), 57);
    camera.setImageSize(ImageSize::Sq2_640x480);
    for (int i = 0; i < 10; ++i)
        camera.takePicture();
    EXPECT_EQ(camera.batteryPercent(), 55);

    camera.setBatteryLevel(0);
    EXPECT_EQ(camera.batteryPercent(), 0);
    EXPECT_ERROR(1001, camera.takePicture());
    EXPECT_ERROR(1001, camera.takePreview({}));
    EXPECT_EQ(camera.pictureCount(), 10);
}

TEST(SimulatedCameraFolder, KeepsPicturesAsCardFilesAndUnplugsWithTheFolder) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("card"));
    ASSERT_TRUE(QDir().mkdir(folder));
    QFile ini(folder + QStringLiteral("/camera.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("model = Folder Cam\nzoom_step=20\n");
    ini.close();

    auto camera = SimulatedCamera::withCardFolder(folder);
    EXPECT_EQ(camera->modelName(), QStringLiteral("Folder Cam"));
    camera->setImageSize(ImageSize::Sq2_640x480);
    camera->takePicture();
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/SNAP0001.JPG")));

    auto restarted = SimulatedCamera::withCardFolder(folder);
    EXPECT_EQ(restarted->pictureCount(), 1);
    restarted->setZoom(115);
    EXPECT_EQ(restarted->zoom(), 120);

    const QString away = folder + QStringLiteral("-away");
    ASSERT_TRUE(QDir().rename(folder, away));
    expectNothingAnswers(*restarted);
    ASSERT_TRUE(QDir().rename(away, folder));
    restarted->setImageSize(ImageSize::Sq2_640x480);
    restarted->takePicture();
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/SNAP0002.JPG")));
    EXPECT_EQ(camera->pictureCount(), 2); // both objects see the one card
}

// A capture takes a picture, copies the last one on the card and deletes it. A picture
// copied in by hand, whatever its time, must neither be copied for the new shot nor
// deleted, and the shot must not stay behind on the card.
TEST(SimulatedCameraFolder, ACaptureCopiesAndDeletesItsOwnShotBesideHandCopiedPictures) {
    for (const qint64 days : {-1, 1}) {
        SCOPED_TRACE(days < 0 ? "copied in with yesterday's time" : "with tomorrow's time");
        QTemporaryDir folder;
        auto camera = SimulatedCamera::withCardFolder(folder.path());
        camera->setImageSize(ImageSize::Sq2_640x480);
        camera->takePicture(); // SNAP0001.JPG, kept from an earlier capture
        const QString handCopied = folder.filePath(QStringLiteral("visitors.jpg"));
        const QDateTime handTime = QDateTime::currentDateTime().addDays(days);
        {
            QFile file(handCopied);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("a picture from a friend's camera");
            file.flush(); // a write at closing would set the time again
            ASSERT_TRUE(file.setFileTime(handTime, QFileDevice::FileModificationTime));
        }

        camera->takePicture();
        const QString shot = folder.filePath(QStringLiteral("SNAP0002.JPG"));
        QFile shotFile(shot);
        ASSERT_TRUE(shotFile.open(QIODevice::ReadOnly));
        const QByteArray shotBytes = shotFile.readAll();
        shotFile.close();

        const int count = camera->pictureCount();
        EXPECT_EQ(count, 3);
        const QByteArray copied = camera->downloadPicture(count, {});
        camera->deletePicture(count);

        EXPECT_TRUE(copied == shotBytes) << "the copy is not the new shot";
        EXPECT_FALSE(QFile::exists(shot)) << "the new shot stayed on the card";
        QFile hand(handCopied);
        EXPECT_TRUE(hand.open(QIODevice::ReadOnly)) << "the hand-copied picture was deleted";
        EXPECT_EQ(hand.readAll(), QByteArray("a picture from a friend's camera"));
        EXPECT_EQ(
            QFileInfo(handCopied).fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(),
            handTime.toMSecsSinceEpoch());
        EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("SNAP0001.JPG"))));
        EXPECT_EQ(camera->pictureCount(), 2);
    }
}

TEST(SimulatedCameraConfigText, ReadsKnownKeysAndKeepsDefaultsForTheRest) {
    const SimulatedCameraConfig defaults;
    const auto config = SimulatedCameraConfig::fromText(
        QStringLiteral("cameras=2\r\n initialize = fail \nmodel= Test Cam \nbattery=40\n"
                       "capacity=12\nzoom_step=4\nflavour=vanilla\nno equals sign here\n"));
    EXPECT_EQ(config.cameras, 2);
    EXPECT_TRUE(config.initializeFails);
    EXPECT_EQ(config.model, QStringLiteral("Test Cam"));
    EXPECT_EQ(config.battery, 40);
    EXPECT_EQ(config.capacity, 12);
    EXPECT_EQ(config.zoomStep, 4);

    const auto bad = SimulatedCameraConfig::fromText(
        QStringLiteral("cameras=many\nbattery=150\ncapacity=-3\nzoom_step=0\ninitialize=ok"));
    EXPECT_EQ(bad.cameras, defaults.cameras);
    EXPECT_EQ(bad.battery, defaults.battery);
    EXPECT_EQ(bad.capacity, defaults.capacity);
    EXPECT_EQ(bad.zoomStep, defaults.zoomStep);
    EXPECT_FALSE(bad.initializeFails);
}

// A model name of any length in camera.ini is cut to 64 characters, a character of two
// UTF-16 units kept whole.
TEST(SimulatedCameraConfigText, AModelNameIsCutTo64Characters) {
    QTemporaryDir folder;
    QFile ini(folder.filePath(QStringLiteral("camera.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("model=" + QByteArray(10000, 'W') + "\n");
    ini.close();
    EXPECT_EQ(SimulatedCamera::withCardFolder(folder.path())->modelName(), QString(64, u'W'));

    const QString camera = QStringLiteral("\U0001F4F7"); // two UTF-16 units
    const QString model = QString(63, u'x') + camera + QStringLiteral("yyy");
    EXPECT_EQ(SimulatedCameraConfig::fromText(QStringLiteral("model=") + model).model,
              QString(63, u'x'));
    EXPECT_EQ(SimulatedCameraConfig::fromText(QStringLiteral("model=") + QString(62, u'x') +
                                              camera + QStringLiteral("yyy"))
                  .model,
              QString(62, u'x') + camera);
}

} // namespace
} // namespace snapdeck

// A camera.ini that is a pipe or a device must not block or fill the memory at start.
TEST(SimulatedCameraFolder, ACameraIniThatIsNoFileGivesTheDefaults) {
    QTemporaryDir folder;
    const QByteArray ini = QFile::encodeName(folder.filePath(QStringLiteral("camera.ini")));
    ASSERT_EQ(::mkfifo(ini.constData(), 0600), 0);
    using snapdeck::SimulatedCameraConfig;
    EXPECT_EQ(SimulatedCameraConfig::fromFolder(folder.path()).model,
              SimulatedCameraConfig().model);
    ASSERT_TRUE(QFile::remove(QFile::decodeName(ini)));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), QFile::decodeName(ini)));
    EXPECT_EQ(SimulatedCameraConfig::fromFolder(folder.path()).cameras,
              SimulatedCameraConfig().cameras);
}
