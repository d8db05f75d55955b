#include "camera/CameraScript.h"
#include "camera/CameraError.h"

#include <gtest/gtest.h>
#include <optional>

namespace snapdeck {
namespace {

// The error a call of the operation raises, if any.
std::optional<CameraError> faultOf(CameraScript& script, const QString& operation) {
    try {
        script.enter(operation, operation + QStringLiteral("(0)"));
    } catch (const CameraError& error) {
        return error;
    }
    return std::nullopt;
}

TEST(CameraScript, FaultsHitOnlyTheirOperationForTheirTimesAndSayWhy) {
    CameraScript script;
    script.failNext(QStringLiteral("ZoomPosition="), 26, 2);
    script.failNext(QStringLiteral("GetExposure"), 380, 1, QStringLiteral("Нет экспозиции"));
    EXPECT_FALSE(faultOf(script, QStringLiteral("ZoomPosition")));
    const auto first = faultOf(script, QStringLiteral("ZoomPosition="));
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->cameraNotAnswering());
    EXPECT_EQ(first->source(), QStringLiteral("SimulatedCamera"));
    EXPECT_TRUE(first->description().contains(QStringLiteral("ZoomPosition=")));
    EXPECT_TRUE(faultOf(script, QStringLiteral("ZoomPosition=")));
    EXPECT_FALSE(faultOf(script, QStringLiteral("ZoomPosition=")));
    EXPECT_EQ(faultOf(script, QStringLiteral("GetExposure"))->description(),
              QStringLiteral("Нет экспозиции"));
    EXPECT_EQ(script.log().size(), 5); // failed calls are logged too

    script.failNext(QStringLiteral("TakePicture"), 26);
    script.reportNext(QStringLiteral("ZoomPosition"), 96);
    script.clearScript();
    EXPECT_FALSE(faultOf(script, QStringLiteral("TakePicture")));
    EXPECT_EQ(script.reported(QStringLiteral("ZoomPosition")), std::nullopt);
}

TEST(CameraScript, TheLogKeepsTheNewestCallsOnly) {
    CameraScript script;
    const qsizetype calls = CameraScript::kLogCapacity + 5;
    for (qsizetype call = 1; call <= calls; ++call)
        script.enter(QStringLiteral("ZoomPosition"), QStringLiteral("ZoomPosition(%1)").arg(call));
    ASSERT_EQ(script.log().size(), CameraScript::kLogCapacity);
    EXPECT_EQ(script.log().first(), QStringLiteral("ZoomPosition(6)"));
    EXPECT_EQ(script.log().last(), QStringLiteral("ZoomPosition(%1)").arg(calls));
}

TEST(CameraScript, ReportsLastTheirTimesAndLogOfTellsWritesFromReads) {
    CameraScript script;
    script.reportNext(QStringLiteral("GetExposure.shutter"), 500, 2);
    EXPECT_EQ(script.reported(QStringLiteral("GetExposure.shutter")), 500);
    EXPECT_EQ(script.reported(QStringLiteral("GetExposure.shutter")), 500);
    EXPECT_EQ(script.reported(QStringLiteral("GetExposure.shutter")), std::nullopt);

    script.enter(QStringLiteral("ZoomPosition="), QStringLiteral("ZoomPosition(0)=100"));
    script.enter(QStringLiteral("ZoomPosition"), QStringLiteral("ZoomPosition(0)"));
    script.enter(QStringLiteral("SetExposure"), QStringLiteral("SetExposure(0, 2/28/0/33333/0)"));
    EXPECT_EQ(script.logOf({QStringLiteral("ZoomPosition=")}),
              QStringList{QStringLiteral("ZoomPosition(0)=100")});
    EXPECT_EQ(script.logOf({QStringLiteral("ZoomPosition"), QStringLiteral("SetExposure")}),
              (QStringList{QStringLiteral("ZoomPosition(0)"),
                           QStringLiteral("SetExposure(0, 2/28/0/33333/0)")}));
    script.clearLog();
    EXPECT_TRUE(script.log().isEmpty());
}

} // namespace
} // namespace snapdeck
