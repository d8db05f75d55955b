#include "PtpIpTestCamera.h"
#include "app/CameraFactory.h"
#include "common/Clock.h"
#include "common/ProgramExit.h"
#include "common/WorkFolder.h"
#include "engine/Engine.h"
#include "support/RecordingMessages.h"
#include "support/RecordingObserver.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace snapdeck;

namespace {

QString sha1Of(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(
        QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
}

// The program as a user starts it with --camera=gphoto2 --port=ptpip:127.0.0.1:P:P: the
// engine on the real library, talking to our PTP/IP camera.
class Gphoto2EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setProgramEndHandler([this](int code) { programEnds.push_back(code); });
        camera = createCamera(CameraOptions{QStringLiteral("gphoto2"), device.portPath()});
        engine = std::make_unique<Engine>(
            EngineServices{*camera, messages, clock, folder, QLocale(QLocale::Russian)});
        engine->setObserver(observer);
    }
    void TearDown() override {
        engine.reset();
        setProgramEndHandler({});
    }
    // "<name> <sha1> <size>" of the picture the camera's last capture made.
    QStringList captured() { return device.command(QStringLiteral("captured")).split(u' '); }

    test::PtpIpTestCamera device;
    QTemporaryDir dir;
    WorkFolder folder{dir.path()};
    test::RecordingMessages messages;
    test::RecordingObserver observer;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3))};
    std::vector<int> programEnds;
    std::unique_ptr<Camera> camera;
    std::unique_ptr<Engine> engine;
};

TEST_F(Gphoto2EngineTest, StartUpShowsTheModelAndSaysPlainlyWhatTheCameraLacks) {
    engine->load();
    ASSERT_TRUE(programEnds.empty());
    EXPECT_EQ(observer.state.model, QStringLiteral("Snapdeck PTP/IP Test Camera"));
    // The camera has no screen control and cannot preview: both are said plainly in one
    // box, and nothing else goes wrong.
    const QStringList shown = messages.texts();
    ASSERT_EQ(shown.size(), 1) << shown.join(u'\n').toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("\r\n- У камеры нет настройки «Режим экрана»")))
        << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("не умеет показывать изображение для просмотра")))
        << shown[0].toStdString();
    EXPECT_TRUE(observer.previewsStored.isEmpty());
    EXPECT_EQ(observer.state.picturesOnCard, 0);
    EXPECT_EQ(observer.state.picturesRemaining, 123);
}

TEST_F(Gphoto2EngineTest, ACaptureStoresTheCamerasOwnBytesAndDeletesOnlyItsPicture) {
    // A picture named to sort after the capture's: the capture's own is still the one
    // stored and deleted.
    device.command(QStringLiteral("add SNAP9999.JPG 5000"));
    engine->load();
    messages.clear();

    EXPECT_TRUE(engine->capture());
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'\n').toStdString();
    const QStringList taken = captured();
    ASSERT_EQ(taken.size(), 3);
    const QString stored = folder.path(QStringLiteral("image.jpg"));
    EXPECT_EQ(sha1Of(stored), taken[1]);
    EXPECT_EQ(observer.picturesStored, QStringList{stored});
    EXPECT_EQ(observer.state.transfer.maximum, taken[2].toLongLong());
    EXPECT_EQ(device.files(), QStringList{QStringLiteral("SNAP9999.JPG")})
        << "not kept on the card: deleted";
    EXPECT_EQ(observer.state.picturesOnCard, 1);

    engine->setBufferMode(false);
    engine->setKeepOnCard(true);
    EXPECT_TRUE(engine->capture());
    const QStringList kept = captured();
    ASSERT_EQ(kept.size(), 3);
    EXPECT_EQ(sha1Of(stored), kept[1]);
    EXPECT_EQ(device.files(), (QStringList{QStringLiteral("SNAP9999.JPG"), kept[0]}));
    EXPECT_EQ(observer.state.picturesOnCard, 2);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

} // namespace
