#include "TestServers.h"
#include "engine/upload/FtpService.h"
#include "support/EngineFixture.h"

using namespace snapdeck;

using FtpCaptureTest = test::EngineFixture;

TEST_F(FtpCaptureTest, CaptureWithUploadsSwitchedOnPutsThePictureOnTheServer) {
    const test::FtpServerSetup setup;
    const auto server = test::TestServer::ftp(setup);
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    server->makeFolder(QStringLiteral("/webcam"));
    load();
    engine->setFtpSettings(FtpSettings{QStringLiteral("127.0.0.1"), server->port(), setup.user,
                                       setup.password, FtpOnlyService, QStringLiteral("webcam"),
                                       QString()});
    engine->upload().transportOptions().responseTimeout = std::chrono::seconds(2);

    EXPECT_FALSE(state().uploadEnabled);
    ASSERT_TRUE(engine->capture());
    EXPECT_TRUE(server->events().isEmpty()) << "uploads are switched off at start";

    engine->setUploadEnabled(true);
    ASSERT_TRUE(engine->capture());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    const QByteArray picture = test::readFile(filePath(QStringLiteral("image.jpg")));
    EXPECT_TRUE(picture.startsWith("\xFF\xD8"));
    EXPECT_EQ(test::readFile(server->path(QStringLiteral("/webcam/image.jpg"))), picture);
    EXPECT_TRUE(state().uploadStatus.isEmpty());
}
