#include "support/ScriptedCamera.h"

#include "camera/CameraError.h"
#include "camera/simulator/SimulatedCamera.h"
#include "support/QtPrinters.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>

using namespace snapdeck;
using snapdeck::test::CameraScript;
using snapdeck::test::ScriptedCamera;

namespace {

// The error a call raises, if any.
std::optional<CameraError> errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const CameraError& error) {
        return error;
    }
    return std::nullopt;
}

// The script over the simulated camera, as every engine test uses it.
class ScriptedCameraTest : public ::testing::Test {
protected:
    void SetUp() override { simulated.setImageSize(ImageSize::Sq2_640x480); }

    SimulatedCamera simulated;
    ScriptedCamera camera{simulated};
    CameraScript& script = camera.script();
};

} // namespace

TEST_F(ScriptedCameraTest, LogsEveryCallAsItReads) {
    camera.initialize();
    camera.open(0);
    camera.setZoom(100);
    camera.zoom();
    camera.setWhiteBalance(WhiteBalance::Incandescent);
    camera.setMonitorMode(MonitorMode::On);
    camera.setExposure(Exposure{ExposureMode::Automatic, 28, 33333});
    camera.takePreview({});
    camera.takePicture();
    camera.pictureSize(1);
    camera.downloadPicture(1, {});
    camera.deletePicture(1);
    EXPECT_EQ(
        script.log(),
        (QStringList{"initialize()", "open(0)", "setZoom(100)", "zoom()", "setWhiteBalance(3)",
                     "setMonitorMode(2)", "setExposure(2/28/33333)", "takePreview()",
                     "takePicture()", "pictureSize(1)", "downloadPicture(1)", "deletePicture(1)"}));
    EXPECT_EQ(script.logOf({QStringLiteral("setZoom")}), QStringList{"setZoom(100)"});
    EXPECT_EQ(script.logOf({QStringLiteral("zoom"), QStringLiteral("setExposure")}),
              (QStringList{"zoom()", "setExposure(2/28/33333)"}));
    EXPECT_EQ(simulated.zoom(), 96) << "the calls reach the camera";
    script.clearLog();
    EXPECT_TRUE(script.log().isEmpty());
}

TEST_F(ScriptedCameraTest, TheLogKeepsTheNewestCallsOnly) {
    const int calls = int(CameraScript::kLogCapacity) + 5;
    for (int call = 1; call <= calls; ++call)
        camera.setFocus(call);
    ASSERT_EQ(script.log().size(), CameraScript::kLogCapacity);
    EXPECT_EQ(script.log().first(), QStringLiteral("setFocus(6)"));
    EXPECT_EQ(script.log().last(), QStringLiteral("setFocus(%1)").arg(calls));
}

// A scripted failure is raised before the call reaches the camera: a failed shot leaves
// nothing on the card.
TEST_F(ScriptedCameraTest, FailuresHitOnlyTheirOperationForTheirTimesAndSayWhy) {
    script.failNext(QStringLiteral("takePicture"), 26, 2);
    script.failNext(QStringLiteral("exposure"), 380, 1, QStringLiteral("Нет экспозиции"));
    EXPECT_FALSE(errorOf([&] { camera.takePreview({}); }));
    const auto first = errorOf([&] { camera.takePicture(); });
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->cameraNotAnswering());
    EXPECT_EQ(first->source(), QStringLiteral("Камера"));
    EXPECT_TRUE(first->description().contains(QStringLiteral("takePicture")));
    EXPECT_TRUE(errorOf([&] { camera.takePicture(); }));
    EXPECT_EQ(simulated.picturesOnCard(), 0);
    EXPECT_FALSE(errorOf([&] { camera.takePicture(); }));
    EXPECT_EQ(simulated.picturesOnCard(), 1);

    const auto exposure = errorOf([&] { camera.exposure(); });
    ASSERT_TRUE(exposure);
    EXPECT_EQ(exposure->number(), 380);
    EXPECT_EQ(exposure->description(), QStringLiteral("Нет экспозиции"));
    EXPECT_FALSE(errorOf([&] {
        camera.setExposure(Exposure{ExposureMode::Automatic, 28, 0});
    })) << "a setter is not its getter";
    EXPECT_EQ(script.logOf({QStringLiteral("takePicture")}).size(), 3)
        << "failed calls are logged too";

    script.failNext(QStringLiteral("takePicture"), 26);
    script.reportNext(QStringLiteral("zoom"), 96);
    script.clearScript();
    EXPECT_FALSE(errorOf([&] { camera.takePicture(); }));
    EXPECT_EQ(camera.zoom(), 80);
}

TEST_F(ScriptedCameraTest, ReportsComeBeforeTheCamerasOwnForTheirTimes) {
    script.reportNext(QStringLiteral("zoom"), 96, 2);
    script.reportNext(QStringLiteral("exposure.shutter"), 500);
    script.reportNext(QStringLiteral("exposure.mode"), int(ExposureMode::Manual));
    script.reportNext(QStringLiteral("pictureCount"), 7);
    script.reportNext(QStringLiteral("batteryPercent"), 12);
    script.reportNext(QStringLiteral("initialize"), 0);
    script.reportNext(QStringLiteral("cameraCount"), 0);
    EXPECT_EQ(camera.zoom(), 96);
    EXPECT_EQ(camera.zoom(), 96);
    EXPECT_EQ(camera.zoom(), 80);

    const Exposure own = simulated.exposure();
    const Exposure reported = camera.exposure();
    EXPECT_EQ(reported, (Exposure{ExposureMode::Manual, own.aperture, 500}))
        << "each field on its own";
    EXPECT_EQ(camera.exposure(), own);

    EXPECT_EQ(camera.pictureCount(), 7);
    EXPECT_EQ(camera.pictureCount(), 0);
    EXPECT_EQ(camera.batteryPercent(), 12);
    EXPECT_FALSE(camera.initialize());
    EXPECT_TRUE(camera.initialize());
    EXPECT_EQ(camera.cameraCount(), 0);
    EXPECT_EQ(camera.cameraCount(), 1);
}

// A download broken off part way, as a pulled cable leaves it: the start of the picture.
TEST_F(ScriptedCameraTest, ADownloadCanBeCutAfterSomeBytes) {
    camera.takePicture();
    const QByteArray whole = simulated.downloadPicture(1, {});
    script.reportNext(QStringLiteral("downloadPicture.bytes"), 1000);
    EXPECT_EQ(camera.downloadPicture(1, {}), whole.left(1000));
    EXPECT_EQ(camera.downloadPicture(1, {}), whole) << "for one download only";
    script.reportNext(QStringLiteral("downloadPicture.bytes"), whole.size() + 10);
    EXPECT_EQ(camera.downloadPicture(1, {}), whole);
    script.reportNext(QStringLiteral("downloadPicture.bytes"), -5);
    EXPECT_TRUE(camera.downloadPicture(1, {}).isEmpty());
}

TEST_F(ScriptedCameraTest, AfterCallHearsOnlyTheCallsThatWentThrough) {
    QStringList heard;
    camera.afterCall = [&](const QString& operation) {
        heard.append(operation + QStringLiteral(":%1").arg(simulated.zoom()));
    };
    script.failNext(QStringLiteral("setZoom"), 26);
    EXPECT_TRUE(errorOf([&] { camera.setZoom(120); }));
    camera.setZoom(160);
    EXPECT_EQ(heard, QStringList{"setZoom:160"}) << "heard once the camera acted";
}
