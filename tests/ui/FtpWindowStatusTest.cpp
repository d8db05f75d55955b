#include "TestServers.h"
#include "ftp/FtpFrame.h"
#include "ftp/FtpService.h"
#include "ftp/FtpUpload.h"
#include "support/Painting.h"
#include "support/WindowFixture.h"

#include <QFile>
#include <QLabel>

using namespace snapdeck;
using snapdeck::test::PaintWatcher;

namespace {

using FtpWindowStatusTest = test::WindowFixture;

} // namespace

// In the main window too, each step of an upload is on the screen before the step
// blocks the window thread.
TEST_F(FtpWindowStatusTest, EachStepIsPaintedBeforeItRuns) {
    const test::FtpServerSetup setup;
    const auto server = test::TestServer::ftp(setup);
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    load();
    test::showExposed(*window);
    globals.ftp = FtpSettings{QStringLiteral("127.0.0.1"),
                              server->port(),
                              setup.user,
                              setup.password,
                              AutoService,
                              QString(),
                              QString()};
    QFile picture(filePath(QStringLiteral("picture.jpg")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write(QByteArray(1000, 'x'));
    picture.close();

    QLabel* line = window->ftpFrame->lblFTP;
    QStringList painted;
    PaintWatcher watcher;
    watcher.painted = [&] {
        if (!line->text().isEmpty() && (painted.isEmpty() || painted.last() != line->text()))
            painted.append(line->text());
    };
    line->installEventFilter(&watcher);
    // The frame painted with the line hidden: the last step's text is off the screen
    // when the upload returns, not whenever the window next paints.
    bool clearedAtOnce = false;
    PaintWatcher frameWatcher;
    frameWatcher.painted = [&] { clearedAtOnce = clearedAtOnce || line->isHidden(); };
    window->ftpFrame->installEventFilter(&frameWatcher);
    window->ftpUpload().UploadPictureByFtp(QStringLiteral("picture.jpg"));
    window->ftpFrame->removeEventFilter(&frameWatcher);
    line->removeEventFilter(&watcher);

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(painted,
              (QStringList{QStringLiteral("Подключаемся к сети..."), QStringLiteral("Ищем хост..."),
                           QStringLiteral("Отсылаем файл...")}));
    EXPECT_TRUE(clearedAtOnce);
}
