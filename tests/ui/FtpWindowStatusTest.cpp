#include "TestServers.h"
#include "engine/upload/FtpService.h"
#include "support/PassingObserver.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <optional>

using namespace snapdeck;

namespace {

class FtpWindowStatusTest : public test::WindowFixture {
protected:
    void TearDown() override {
        waitForPictures();
        WindowFixture::TearDown();
    }
    std::optional<test::LabelWatcher> watcher; // outlives the engine
};

} // namespace

// A capture with "Включить" ticked uploads the picture to a real FTP server; the FTP
// frame's status line shows each step the engine reports, and is hidden once the
// upload is over.
TEST_F(FtpWindowStatusTest, TheStatusLineShowsEachStepOfTheUploadThenGoes) {
    const test::FtpServerSetup setup;
    const auto server = test::TestServer::ftp(setup);
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    server->makeFolder(QStringLiteral("/веб"));
    ftp = FtpSettings{
        QStringLiteral("127.0.0.1"), server->port(), setup.user, setup.password, AutoService,
        QStringLiteral("/веб"),      QString()};
    load();
    window->show();
    auto* line = find<QLabel>("uploadStatusLine");
    ASSERT_NE(line, nullptr);
    ASSERT_FALSE(line->isVisible()) << "hidden until an upload";
    watcher.emplace(*window, *line);
    engine().setObserver(*watcher);

    find<QCheckBox>("uploadBox")->click();
    ASSERT_TRUE(engine().state().uploadEnabled);
    find<QPushButton>("captureButton")->click();

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(
        watcher->shown,
        (QStringList{QStringLiteral("-"), QStringLiteral("Подключаемся к сети..."),
                     QStringLiteral("Ищем хост..."), QStringLiteral("Переходим в папку /веб..."),
                     QStringLiteral("Отсылаем файл..."), QStringLiteral("-")}));
    EXPECT_FALSE(line->isVisible());
    EXPECT_TRUE(QFile::exists(server->path(QStringLiteral("/веб/image.jpg"))));
}
