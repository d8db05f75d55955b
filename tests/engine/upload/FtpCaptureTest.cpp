#include "TestServers.h"
#include "ftp/FtpFrame.h"
#include "ftp/FtpService.h"
#include "ftp/FtpUpload.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace snapdeck;

using FtpCaptureTest = test::WindowFixture;

TEST_F(FtpCaptureTest, CaptureWithTheFtpBoxTickedPutsThePictureOnTheServer) {
    const test::FtpServerSetup setup;
    const auto server = test::TestServer::ftp(setup);
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    server->makeFolder(QStringLiteral("/webcam"));
    load();
    window->show();
    globals.ftp = FtpSettings{
        QStringLiteral("127.0.0.1"), server->port(), setup.user, setup.password, FtpOnlyService,
        QStringLiteral("webcam"),    QString()};
    window->ftpUpload().transportOptions().responseTimeout = std::chrono::seconds(2);

    window->cmdCapture->click();
    EXPECT_TRUE(server->events().isEmpty()) << "the FTP box is unticked at start";

    window->ftpFrame->chkFTP->setChecked(true);
    window->cmdCapture->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    const QByteArray picture = test::readFile(filePath(QStringLiteral("image.jpg")));
    EXPECT_TRUE(picture.startsWith("\xFF\xD8"));
    EXPECT_EQ(test::readFile(server->path(QStringLiteral("/webcam/image.jpg"))), picture);
    EXPECT_TRUE(window->ftpFrame->lblFTP->isHidden());
}
