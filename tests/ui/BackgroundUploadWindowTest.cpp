#include "TestServers.h"
#include "common/AtomicFile.h"
#include "engine/queue/UploadQueue.h"
#include "engine/upload/FtpService.h"
#include "support/EngineFixture.h"
#include "support/PassingObserver.h"
#include "support/QtPrinters.h"
#include "support/WindowFixture.h"
#include "ui/FtpSettingsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <optional>

using namespace snapdeck;

namespace {

// The frame "FTP" with "Отправлять в фоне": the worker sends on its own thread and its
// news reach the window through the engine's event queue, which the test runs while it
// waits.
class BackgroundUploadWindowTest : public test::WindowFixture {
protected:
    void TearDown() override {
        waitForPictures();
        WindowFixture::TearDown();
    }
    void pointAt(int port, const QString& fileName = {}) {
        const test::FtpServerSetup setup;
        ftp = FtpSettings{QStringLiteral("127.0.0.1"),
                          port,
                          setup.user,
                          setup.password,
                          FtpOnlyService,
                          QString(),
                          fileName};
    }
    void showWindow() {
        window->show();
        statusLine = find<QLabel>("uploadStatusLine");
        queueLine = find<QLabel>("queueLine");
        queueErrorLine = find<QLabel>("queueErrorLine");
        ASSERT_TRUE(statusLine && queueLine && queueErrorLine);
        watcher.emplace(*window, *statusLine);
        engine().setObserver(*watcher);
    }
    // Runs the window's events until "done", for 20 s at most.
    static bool waitFor(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return done();
    }
    QString shownQueueLine() const {
        return queueLine->isVisible() ? queueLine->text() : QStringLiteral("-");
    }
    QString shownQueueError() const {
        return queueErrorLine->isVisible() ? queueErrorLine->text() : QStringLiteral("-");
    }

    std::optional<test::LabelWatcher> watcher; // outlives the engine
    QLabel* statusLine = nullptr;
    QLabel* queueLine = nullptr;
    QLabel* queueErrorLine = nullptr;
};

} // namespace

// Ticked, a capture only queues its picture: no upload message box, no upload status
// line; the worker sends it, and the frame shows the queue.
TEST_F(BackgroundUploadWindowTest, TickedACaptureOnlyQueuesAndTheWorkerSendsThePicture) {
    const auto server = test::TestServer::ftp();
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    pointAt(server->port(), QStringLiteral("latest.jpg"));
    load();
    showWindow();
    EXPECT_EQ(shownQueueLine(), QStringLiteral("-")) << "no queue in use";
    find<QCheckBox>("uploadBox")->click();
    find<QCheckBox>("backgroundUploadBox")->click();
    ASSERT_TRUE(engine().state().backgroundUpload);
    EXPECT_EQ(shownQueueLine(), QStringLiteral("В очереди: 0"));

    find<QPushButton>("captureButton")->click();
    ASSERT_TRUE(waitFor([&] {
        return QFile::exists(server->path(QStringLiteral("/latest.jpg"))) &&
               shownQueueLine() == QStringLiteral("В очереди: 0");
    })) << shownQueueLine().toStdString();
    const QByteArray picture = test::readFile(filePath(QStringLiteral("image.jpg")));
    EXPECT_EQ(test::readFile(server->path(QStringLiteral("/image.jpg"))), picture);
    EXPECT_EQ(test::readFile(server->path(QStringLiteral("/latest.jpg"))), picture);
    EXPECT_EQ(server->commands(QStringLiteral("RNTO")),
              (QStringList{"RNTO image.jpg", "RNTO latest.jpg"}))
        << "sent once, by the worker";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(watcher->shown, QStringList{"-"}) << "the status line never showed";
    EXPECT_EQ(shownQueueError(), QStringLiteral("-"));
}

// With the server down the pictures wait: the frame counts them and shows the last error
// as a line, never as a message box.
TEST_F(BackgroundUploadWindowTest, TheQueueLengthAndTheLastErrorShowAsLines) {
    pointAt(test::closedPort());
    load();
    showWindow();
    find<QCheckBox>("uploadBox")->click();
    find<QCheckBox>("backgroundUploadBox")->click();
    find<QCheckBox>("overwriteBox")->click(); // each picture a name of its own
    ASSERT_FALSE(engine().state().capture.overwrite);
    messages.clear(); // the reminder of the disk's free space

    find<QPushButton>("captureButton")->click();
    EXPECT_EQ(shownQueueLine(), QStringLiteral("В очереди: 1"));
    ASSERT_TRUE(waitFor([&] { return shownQueueError() != QStringLiteral("-"); }));
    EXPECT_EQ(shownQueueError(), QStringLiteral("Сервер «127.0.0.1» не отвечает"));
    find<QPushButton>("captureButton")->click();
    EXPECT_EQ(shownQueueLine(), QStringLiteral("В очереди: 2"));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(watcher->shown, QStringList{"-"});
}

// Unticked, the upload runs at once with its status line, as before, and nothing is
// queued.
TEST_F(BackgroundUploadWindowTest, UntickedTheCaptureUploadsAtOnceAsBefore) {
    const auto server = test::TestServer::ftp();
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    pointAt(server->port());
    load();
    showWindow();
    find<QCheckBox>("uploadBox")->click();
    ASSERT_FALSE(find<QCheckBox>("backgroundUploadBox")->isChecked());

    find<QPushButton>("captureButton")->click();
    EXPECT_TRUE(QFile::exists(server->path(QStringLiteral("/image.jpg"))))
        << "when the click returns";
    EXPECT_EQ(watcher->shown, (QStringList{"-", "Подключаемся к сети...", "Ищем хост...",
                                           "Отсылаем файл...", "-"}));
    EXPECT_EQ(shownQueueLine(), QStringLiteral("-"));
    EXPECT_EQ(engine().backgroundUpload().uploadQueue().length(), 0);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

// Pictures left queued by an earlier run show at start, even with "Отправлять в фоне"
// unticked, and go only once "Включить" is ticked.
TEST_F(BackgroundUploadWindowTest, ABacklogFoundAtStartWaitsUntilUploadsAreSwitchedOn) {
    const test::FtpServerSetup setup;
    const auto server = test::TestServer::ftp(setup);
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    pointAt(server->port());
    create();
    {
        UploadQueue earlier(engine().backgroundUpload().uploadQueue().folder(), clock);
        earlier.open();
        const QString picture = filePath(QStringLiteral("earlier.jpg"));
        writeFileAtomically(picture, "picture of an earlier run");
        UploadDestination destination;
        destination.service = UploadDestination::Service::Ftp;
        destination.account = {QStringLiteral("127.0.0.1"), server->port(), setup.user,
                               setup.password};
        ASSERT_EQ(earlier.add(picture, QStringLiteral("earlier.jpg"), {}, destination).outcome,
                  UploadQueue::Outcome::Queued);
    }
    window->load();
    showWindow();
    EXPECT_EQ(shownQueueLine(), QStringLiteral("В очереди: 1"));
    EXPECT_FALSE(find<QCheckBox>("uploadBox")->isChecked());
    QApplication::processEvents();
    EXPECT_TRUE(server->events().isEmpty()) << "nothing sent while uploads are off";

    find<QCheckBox>("uploadBox")->click();
    // Sent, the backlog is gone, and with it the line: the queue is not otherwise in use.
    ASSERT_TRUE(waitFor([&] { return shownQueueLine() == QStringLiteral("-"); }))
        << shownQueueError().toStdString() << " " << server->events().join(u'|').toStdString();
    EXPECT_EQ(test::readFile(server->path(QStringLiteral("/earlier.jpg"))),
              QByteArray("picture of an earlier run"));
    EXPECT_EQ(shownQueueError(), QStringLiteral("-"));
}

// "Имя файла" is one name on the server: a path is refused when saved, the message names
// the field, and the window stays open with nothing saved.
TEST_F(BackgroundUploadWindowTest, AFileNameWithASlashOrDotsIsRefusedNamingTheField) {
    load();
    const FtpSettings before = engine().upload().settings();
    const auto openAndSave = [&](const QString& fileName) {
        bool stayedOpen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<FtpSettingsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameBox"))->setText(fileName);
            dialog->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
            stayedOpen = dialog->isVisible();
            if (stayedOpen)
                dialog->close();
        });
        find<QPushButton>("ftpSettingsButton")->click();
        return stayedOpen;
    };
    const QString refusal =
        QStringLiteral("В поле \"Имя файла\" должно быть одно имя файла, без \"/\" и \"..\".");
    for (const QString& name :
         {QStringLiteral("веб/latest.jpg"), QStringLiteral("/latest.jpg"), QStringLiteral(".."),
          QStringLiteral("../latest.jpg"), QStringLiteral(".")}) {
        messages.clear();
        EXPECT_TRUE(openAndSave(name)) << name.toStdString();
        EXPECT_EQ(messages.texts(), QStringList{refusal}) << name.toStdString();
    }
    EXPECT_EQ(engine().upload().settings(), before);
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("ftp.ini"))));

    messages.clear();
    EXPECT_FALSE(openAndSave(QStringLiteral("снимок..последний.jpg"))) << "dots inside a name";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(engine().upload().settings().FtpFileName, QStringLiteral("снимок..последний.jpg"));
}
