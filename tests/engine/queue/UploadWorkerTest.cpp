#include "engine/queue/UploadWorker.h"
#include "TestServers.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "engine/queue/UploadQueue.h"
#include "engine/upload/FtpService.h"
#include "support/EngineFixture.h"
#include "support/QtPrinters.h"
#include "support/SilentServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>

using namespace snapdeck;
using namespace snapdeck::test;

namespace {

// Every byte value, CR LF and NUL runs, then noise: what a text-mode transfer or a cut
// transfer spoils.
QByteArray pictureBytes(int kibibytes, quint32 seed) {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    bytes += QByteArray("\r\n\n\r\0\r\n", 7).repeated(50);
    QByteArray noise(kibibytes * 1024, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    return bytes + noise;
}

// Waits for what another thread or process does, never longer than "limit".
bool waitUntil(const std::function<bool()>& done,
               std::chrono::seconds limit = std::chrono::seconds(30)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QThread::msleep(10);
    }
    return true;
}

// The queue in a temporary folder, the worker over it with short time limits, and FTP
// servers of tests/engine/upload on 127.0.0.1.
class UploadWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        queue.open();
        options.connectTimeout = std::chrono::milliseconds(2000);
        options.responseTimeout = std::chrono::seconds(1);
        options.stallTimeout = std::chrono::seconds(2);
        options.uploadTimeBase = std::chrono::milliseconds(5000);
    }
    void TearDown() override {
        if (worker)
            worker->stop();
    }

    UploadWorker& makeWorker() {
        worker = std::make_unique<UploadWorker>(queue, options, [this](const QueueReport& report) {
            std::lock_guard lock(reportsMutex);
            reports.push_back(report);
        });
        return *worker;
    }
    // Queues a picture of the camera's as "name" for "destination".
    QByteArray queuePicture(const QString& name, const UploadDestination& destination,
                            const QString& publishAs = {}, int kibibytes = 100) {
        const QByteArray bytes = pictureBytes(kibibytes, quint32(qHash(name)));
        const QString path = dir.filePath(QStringLiteral("image.jpg"));
        writeFileAtomically(path, bytes);
        EXPECT_EQ(queue.add(path, name, publishAs, destination).outcome,
                  UploadQueue::Outcome::Queued);
        return bytes;
    }
    static UploadDestination ftpAt(int port, const FtpServerSetup& setup = {},
                                   const QString& folder = {}) {
        UploadDestination destination;
        destination.service = UploadDestination::Service::Ftp;
        destination.account = {QStringLiteral("127.0.0.1"), port, setup.user, setup.password};
        destination.folder = folder;
        return destination;
    }
    static UploadDestination ftpAt(const TestServer& server, const FtpServerSetup& setup = {},
                                   const QString& folder = {}) {
        EXPECT_NE(server.port(), 0) << server.failure().toStdString();
        return ftpAt(server.port(), setup, folder);
    }
    static QStringList filesOn(const TestServer& server,
                               const QString& folder = QStringLiteral("/")) {
        return QDir(server.path(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    // What the queue's folder holds besides "damaged/": entries and their pictures.
    QStringList queuedFiles() const {
        return QDir(queue.folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3))};
    UploadQueue queue{dir.filePath(QStringLiteral("queue")), clock, QueueLimits{},
                      [] { return 10LL * 1024 * 1024 * 1024; }};
    TransportOptions options;
    std::unique_ptr<UploadWorker> worker;
    std::mutex reportsMutex;
    std::vector<QueueReport> reports;
};

} // namespace

TEST(Backoff, WaitsOneSecondDoublingToFiveMinutesAndASuccessStartsAgain) {
    Backoff backoff;
    std::vector<long> waits;
    for (int failure = 0; failure < 11; ++failure)
        waits.push_back(long(backoff.afterFailure().count()));
    EXPECT_EQ(waits, (std::vector<long>{1000, 2000, 4000, 8000, 16000, 32000, 64000, 128000, 256000,
                                        300000, 300000}));
    backoff.succeeded();
    EXPECT_EQ(backoff.afterFailure().count(), 1000);
    EXPECT_EQ(backoff.afterFailure().count(), 2000);
}

// Shortened waits, as a soak that runs the station's seconds fast sets them, keep the
// same rule within their own limits.
TEST(Backoff, ShortenedWaitsDoubleToTheirOwnLongestAndASuccessStartsAgain) {
    Backoff backoff(std::chrono::milliseconds(10), std::chrono::milliseconds(50));
    std::vector<long> waits;
    for (int failure = 0; failure < 5; ++failure)
        waits.push_back(long(backoff.afterFailure().count()));
    EXPECT_EQ(waits, (std::vector<long>{10, 20, 40, 50, 50}));
    backoff.succeeded();
    EXPECT_EQ(backoff.afterFailure().count(), 10);
}

// The worker's own thread sends the backlog oldest first, each picture whole under its own
// name; the fixed name is published once, for the newest picture, not for each.
TEST_F(UploadWorkerTest, DrainsInCaptureOrderEachPictureWholeAndTheFixedNameForTheNewestOnly) {
    const FtpServerSetup setup;
    const auto server = TestServer::ftp(setup);
    server->makeFolder(QStringLiteral("/кадры"));
    const UploadDestination destination = ftpAt(*server, setup, QStringLiteral("кадры"));
    const QString latest = QStringLiteral("latest.jpg");
    const QByteArray first = queuePicture(QStringLiteral("08-05-03.jpg"), destination, latest);
    const QByteArray second = queuePicture(QStringLiteral("08-05-13.jpg"), destination, latest);
    const QByteArray third = queuePicture(QStringLiteral("08-05-23.jpg"), destination, latest);

    makeWorker().start();
    worker->setEnabled(true);
    ASSERT_TRUE(waitUntil([&] { return queue.length() == 0; }));
    worker->stop();

    EXPECT_EQ(server->commands(QStringLiteral("STOR")),
              (QStringList{"STOR .08-05-03.jpg.part", "STOR .08-05-13.jpg.part",
                           "STOR .08-05-23.jpg.part", "STOR .latest.jpg.part"}));
    EXPECT_EQ(filesOn(*server, QStringLiteral("/кадры")),
              (QStringList{"08-05-03.jpg", "08-05-13.jpg", "08-05-23.jpg", "latest.jpg"}))
        << "no part file left";
    EXPECT_EQ(readFile(server->path(QStringLiteral("/кадры/08-05-03.jpg"))), first);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/кадры/08-05-13.jpg"))), second);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/кадры/08-05-23.jpg"))), third);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/кадры/latest.jpg"))), third);
    const QueueReport report = worker->report();
    EXPECT_EQ(report.done, 3);
    EXPECT_EQ(report.failed, 0);
    EXPECT_TRUE(report.lastError.isEmpty()) << report.lastError.toStdString();
    EXPECT_EQ(report.length, 0);
    EXPECT_TRUE(queuedFiles().isEmpty()) << queuedFiles().join(u'|').toStdString();
}

// The picture's bytes reach the server, but the rename that makes them visible under their
// name is never answered: the server has not confirmed, so the entry stays and is sent
// again.
TEST_F(UploadWorkerTest, AnEntryLeavesTheQueueOnlyOnceTheServerConfirmedTheRename) {
    FtpServerSetup silentRename;
    silentRename.silentCommand = QStringLiteral("RNTO");
    auto server = TestServer::ftp(silentRename);
    const int port = server->port();
    const QByteArray picture = queuePicture(QStringLiteral("a.jpg"), ftpAt(*server));

    EXPECT_FALSE(makeWorker().sendOldest());
    EXPECT_EQ(queue.length(), 1);
    EXPECT_FALSE(QFile::exists(server->path(QStringLiteral("/a.jpg"))));
    EXPECT_EQ(filesOn(*server), QStringList{".a.jpg.part"}) << "hidden until renamed";
    QueueReport report = worker->report();
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(report.lastError, QStringLiteral("Файл a.jpg не отослан на «127.0.0.1»"));

    server.reset(); // the server comes back, well, on the same port
    FtpServerSetup well;
    well.port = port;
    server = TestServer::ftp(well);
    ASSERT_EQ(server->port(), port) << server->failure().toStdString();
    EXPECT_TRUE(worker->sendOldest());
    EXPECT_EQ(readFile(server->path(QStringLiteral("/a.jpg"))), picture);
    EXPECT_EQ(queue.length(), 0);
    report = worker->report();
    EXPECT_EQ(report.done, 1);
    EXPECT_TRUE(report.lastError.isEmpty()) << "cleared by the upload that went through";
}

// A try that fails keeps the entry, counts the failure and says why; once the server is
// back the same entry goes, and the worker's thread takes the rest of the backlog without
// waiting between pictures.
TEST_F(UploadWorkerTest, AFailedTryKeepsTheEntryAndTheBacklogGoesOnceTheServerIsBack) {
    const int port = closedPort();
    const UploadDestination destination = ftpAt(port);
    const QByteArray a = queuePicture(QStringLiteral("a.jpg"), destination);
    const QByteArray b = queuePicture(QStringLiteral("b.jpg"), destination);
    const QByteArray c = queuePicture(QStringLiteral("c.jpg"), destination);
    const QStringList queued = queuedFiles();

    EXPECT_FALSE(makeWorker().sendOldest());
    EXPECT_FALSE(worker->sendOldest());
    QueueReport report = worker->report();
    EXPECT_EQ(report.failed, 2);
    EXPECT_EQ(report.done, 0);
    EXPECT_EQ(report.lastError, QStringLiteral("Сервер «127.0.0.1» не отвечает"));
    EXPECT_EQ(report.length, 3);
    EXPECT_EQ(queue.oldest()->remoteName, QStringLiteral("a.jpg"));
    EXPECT_EQ(queuedFiles(), queued) << "entries and pictures kept on disk";

    FtpServerSetup back;
    back.port = port;
    const auto server = TestServer::ftp(back);
    ASSERT_EQ(server->port(), port) << server->failure().toStdString();
    EXPECT_TRUE(worker->sendOldest());
    worker->start();
    worker->setEnabled(true);
    ASSERT_TRUE(waitUntil([&] { return queue.length() == 0; }));
    worker->stop();
    report = worker->report();
    EXPECT_EQ(report.done, 3);
    EXPECT_EQ(report.failed, 2);
    EXPECT_TRUE(report.lastError.isEmpty());
    EXPECT_EQ(server->commands(QStringLiteral("RNTO")),
              (QStringList{"RNTO a.jpg", "RNTO b.jpg", "RNTO c.jpg"}));
    EXPECT_EQ(readFile(server->path(QStringLiteral("/a.jpg"))), a);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/b.jpg"))), b);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/c.jpg"))), c);
}

TEST_F(UploadWorkerTest, AQueuedPictureThatIsGoneIsSetAsideAndTheRestGoesOn) {
    const auto server = TestServer::ftp();
    const UploadDestination destination = ftpAt(*server);
    queuePicture(QStringLiteral("a.jpg"), destination);
    const QByteArray b = queuePicture(QStringLiteral("b.jpg"), destination);
    ASSERT_TRUE(QFile::remove(queue.pathOf(queue.oldest()->pictureFile)));

    EXPECT_FALSE(makeWorker().sendOldest());
    EXPECT_EQ(worker->report().lastError,
              QStringLiteral("Снимок a.jpg пропал из очереди: запись отложена"));
    EXPECT_EQ(queue.length(), 1);
    EXPECT_EQ(QDir(queue.pathOf(QStringLiteral("damaged"))).entryList({"*.json"}).size(), 1);
    EXPECT_TRUE(worker->sendOldest());
    EXPECT_EQ(readFile(server->path(QStringLiteral("/b.jpg"))), b);
    EXPECT_EQ(filesOn(*server), QStringList{"b.jpg"});
    EXPECT_EQ(worker->report().failed, 0) << "nothing the server did";
}

// A picture published under its own name is not sent a second time when the fixed name is
// the same.
TEST_F(UploadWorkerTest, AFixedNameThatIsThePicturesOwnIsSentOnce) {
    const auto server = TestServer::ftp();
    const QByteArray picture =
        queuePicture(QStringLiteral("image.jpg"), ftpAt(*server), QStringLiteral("image.jpg"));
    EXPECT_TRUE(makeWorker().sendOldest());
    EXPECT_EQ(readFile(server->path(QStringLiteral("/image.jpg"))), picture);
    EXPECT_EQ(server->commands(QStringLiteral("STOR")).size(), 1);
}

namespace {

// A server that misbehaves on the first try: the try fails within its limits, the entry and
// its picture stay, nothing half shows under the picture's name; the next try, with the
// server well again, sends the picture whole.
struct Fault {
    const char* name;
    std::function<void(FtpServerSetup&, TransportOptions&)> arrange;
    QString lastError;
};

void PrintTo(const Fault& fault, std::ostream* out) {
    *out << fault.name;
}

const QString kNotSent = QStringLiteral("Файл a.jpg не отослан на «127.0.0.1»");

class UploadWorkerFaultTest : public UploadWorkerTest,
                              public ::testing::WithParamInterface<Fault> {};

} // namespace

TEST_P(UploadWorkerFaultTest, TheTryFailsTheEntryStaysAndTheNextTrySendsThePictureWhole) {
    FtpServerSetup setup;
    setup.faultyTransfers = 1;
    GetParam().arrange(setup, options);
    const auto server = TestServer::ftp(setup);
    const QString latest = QStringLiteral("latest.jpg");
    const QByteArray picture = queuePicture(QStringLiteral("a.jpg"), ftpAt(*server), latest, 300);
    const QStringList queued = queuedFiles();

    EXPECT_FALSE(makeWorker().sendOldest());
    EXPECT_EQ(worker->report().lastError, GetParam().lastError);
    EXPECT_EQ(worker->report().failed, 1);
    EXPECT_EQ(queuedFiles(), queued);
    EXPECT_EQ(readFile(queue.pathOf(queue.oldest()->pictureFile)), picture);
    EXPECT_FALSE(QFile::exists(server->path(QStringLiteral("/a.jpg"))));
    EXPECT_FALSE(QFile::exists(server->path(QStringLiteral("/latest.jpg"))));

    EXPECT_TRUE(worker->sendOldest()) << worker->report().lastError.toStdString();
    EXPECT_EQ(readFile(server->path(QStringLiteral("/a.jpg"))), picture);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/latest.jpg"))), picture);
    EXPECT_EQ(filesOn(*server), (QStringList{"a.jpg", "latest.jpg"}));
    EXPECT_TRUE(queuedFiles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UploadWorkerFaultTest,
    ::testing::Values(
        Fault{"RefusesStor",
              [](FtpServerSetup& s, TransportOptions&) { s.answers = {"STOR=553*1"}; }, kNotSent},
        Fault{"DiskFullAtStor",
              [](FtpServerSetup& s, TransportOptions&) { s.answers = {"STOR=452*1"}; }, kNotSent},
        // The bytes arrived, then the server could not keep them.
        Fault{"DiskFullAfterTheBytes",
              [](FtpServerSetup& s, TransportOptions&) { s.replies = {"226=452*1"}; }, kNotSent},
        Fault{"ClosesMidTransfer",
              [](FtpServerSetup& s, TransportOptions&) { s.dropAfter = 64 * 1024; }, kNotSent},
        // A byte a second is never a stall: the upload's own deadline ends it. (The
        // picture may fit in the sockets' buffers, which leaves the client waiting for the
        // answer: that limit is set past the deadline here.)
        Fault{"ReceivesAByteASecond",
              [](FtpServerSetup& s, TransportOptions& o) {
                  s.slowRate = 1;
                  o.responseTimeout = std::chrono::seconds(30);
                  o.stallTimeout = std::chrono::seconds(30);
                  o.uploadTimeBase = std::chrono::milliseconds(2500);
                  o.slowestRate = std::int64_t(1) << 40;
              },
              QStringLiteral("Передача a.jpg на «127.0.0.1» не уложилась во время")},
        // Refused once for the part and once for the picture's own name: nothing to fall
        // back on.
        Fault{"RefusesTheRenameAndTheOwnName",
              [](FtpServerSetup& s, TransportOptions&) {
                  s.answers = {"RNTO=553*1", "STOR a.jpg=553*1"};
              },
              kNotSent}),
    [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

// A server that refuses the rename keeps the part: the picture goes under its own name
// instead, and the part is cleared away.
TEST_F(UploadWorkerTest, ARenameRefusedSendsUnderTheOwnNameAndClearsThePart) {
    FtpServerSetup noRename;
    noRename.answers = {"RNTO=553"};
    const auto server = TestServer::ftp(noRename);
    const QByteArray picture =
        queuePicture(QStringLiteral("a.jpg"), ftpAt(*server), QStringLiteral("latest.jpg"));
    EXPECT_TRUE(makeWorker().sendOldest()) << worker->report().lastError.toStdString();
    EXPECT_EQ(readFile(server->path(QStringLiteral("/a.jpg"))), picture);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/latest.jpg"))), picture);
    EXPECT_EQ(filesOn(*server), (QStringList{"a.jpg", "latest.jpg"}));
    EXPECT_EQ(queue.length(), 0);
}

TEST_F(UploadWorkerTest, AServerThatAcceptsAndNeverAnswersFailsTheTryWithinItsLimit) {
    SilentServer silent;
    ASSERT_TRUE(silent.open());
    const int port = silent.port();
    const QByteArray picture = queuePicture(QStringLiteral("a.jpg"), ftpAt(port));
    EXPECT_FALSE(makeWorker().sendOldest());
    EXPECT_EQ(worker->report().lastError, QStringLiteral("Сервер «127.0.0.1» не отвечает"));
    EXPECT_EQ(queue.length(), 1);

    silent.close();
    FtpServerSetup back;
    back.port = port;
    const auto server = TestServer::ftp(back);
    ASSERT_EQ(server->port(), port) << server->failure().toStdString();
    EXPECT_TRUE(worker->sendOldest());
    EXPECT_EQ(readFile(server->path(QStringLiteral("/a.jpg"))), picture);
}

// A refused login is the user's to mend: said as such, and the picture waits.
TEST_F(UploadWorkerTest, ARefusedLoginIsSaidAsSuchAndThePictureWaits) {
    const FtpServerSetup setup;
    const auto server = TestServer::ftp(setup);
    FtpServerSetup wrong = setup;
    wrong.password = QStringLiteral("wrong");
    queuePicture(QStringLiteral("a.jpg"), ftpAt(*server, wrong));
    EXPECT_FALSE(makeWorker().sendOldest());
    EXPECT_FALSE(worker->sendOldest());
    const QueueReport report = worker->report();
    EXPECT_EQ(report.lastError, QStringLiteral("Сервер «127.0.0.1» отказал во входе (a.jpg)"));
    EXPECT_EQ(report.failed, 2);
    EXPECT_EQ(queue.length(), 1);
    EXPECT_TRUE(filesOn(*server).isEmpty());
    EXPECT_TRUE(server->commands(QStringLiteral("STOR")).isEmpty());
}

// The program is killed (power cut, SIGKILL) while the server receives the picture. The
// next start sends it again: the server ends with one whole copy under its name, and no
// part of the cut upload shows under that name.
TEST_F(UploadWorkerTest, KilledMidUploadTheNextStartSendsThePictureOnceAndWhole) {
    FtpServerSetup slowFirst;
    slowFirst.slowRate = 16 * 1024; // the first upload takes half a minute
    slowFirst.faultyTransfers = 1;
    const auto server = TestServer::ftp(slowFirst);
    const QByteArray picture =
        queuePicture(QStringLiteral("p.jpg"), ftpAt(*server, slowFirst), {}, 500);
    const QString partOnServer = server->path(QStringLiteral("/.p.jpg.part"));

    QProcess drainer;
    drainer.setProcessChannelMode(QProcess::ForwardedChannels);
    drainer.start(QStringLiteral(SNAPDECK_QUEUE_DRAINER), {queue.folder()});
    ASSERT_TRUE(drainer.waitForStarted());
    ASSERT_TRUE(waitUntil([&] { return QFileInfo(partOnServer).size() > 0; }))
        << "the upload began";
    drainer.kill(); // SIGKILL
    ASSERT_TRUE(drainer.waitForFinished(10000));
    EXPECT_EQ(drainer.exitStatus(), QProcess::CrashExit);
    EXPECT_LT(QFileInfo(partOnServer).size(), picture.size()) << "killed mid-upload";
    EXPECT_FALSE(QFile::exists(server->path(QStringLiteral("/p.jpg"))));

    drainer.start(QStringLiteral(SNAPDECK_QUEUE_DRAINER), {queue.folder()});
    ASSERT_TRUE(drainer.waitForFinished(30000));
    EXPECT_EQ(drainer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(drainer.exitCode(), 0);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/p.jpg"))), picture);
    EXPECT_EQ(filesOn(*server), QStringList{"p.jpg"});
    EXPECT_EQ(server->commands(QStringLiteral("RNTO")), QStringList{"RNTO p.jpg"});
    EXPECT_TRUE(queuedFiles().isEmpty()) << queuedFiles().join(u'|').toStdString();
}

namespace {

// The engine's background upload: captures queue, the worker on its own thread sends.
class BackgroundUploadTest : public EngineFixture {
protected:
    void TearDown() override {
        if (engine)
            engine->backgroundUpload().stop();
        EngineFixture::TearDown();
    }
    // Runs the engine's events (the worker's news) until "done", for 20 s at most.
    static bool waitForEngine(const std::function<bool()>& done) {
        return waitUntil(
            [&] {
                QCoreApplication::processEvents();
                return done();
            },
            std::chrono::seconds(20));
    }
};

} // namespace

// ftp.ini is the user's to edit: a fixed name there that is a path (the settings window
// refuses one) is never published, neither by the upload at once, which says why, nor
// from the queue; the picture goes under its own name and leaves the queue.
TEST_F(BackgroundUploadTest, AFixedNameThatIsAPathInFtpIniIsNotPublished) {
    const FtpServerSetup setup;
    const auto server = TestServer::ftp(setup);
    server->makeFolder(QStringLiteral("/кадры"));
    load();
    engine->setFtpSettings(FtpSettings{QStringLiteral("127.0.0.1"), server->port(), setup.user,
                                       setup.password, FtpOnlyService, QStringLiteral("кадры"),
                                       QStringLiteral("../latest.jpg")});
    engine->setUploadEnabled(true);
    ASSERT_TRUE(engine->capture());
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral(
                  "В поле \"Имя файла\" настроек FTP должно быть одно имя файла, без \"/\" и "
                  "\"..\": снимок под ним не опубликован.")});
    EXPECT_EQ(readFile(server->path(QStringLiteral("/кадры/image.jpg"))),
              readFile(filePath(QStringLiteral("image.jpg"))));

    messages.clear();
    engine->setBackgroundUpload(true);
    engine->setOverwrite(false);
    messages.clear();
    ASSERT_TRUE(engine->capture());
    ASSERT_TRUE(waitForEngine([&] { return state().queue.done == 1; }))
        << state().queue.lastError.toStdString();
    EXPECT_EQ(state().queue.length, 0);
    EXPECT_EQ(state().queue.failed, 0);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    for (const QString& stor : server->commands(QStringLiteral("STOR")))
        EXPECT_FALSE(stor.contains(u'/')) << stor.toStdString();
    EXPECT_EQ(server->commands(QStringLiteral("RNTO")).size(), 2);
}

// Settings that cannot send at all are said at the capture, as the upload at once says
// them, rather than the picture being left out of the queue without a word or queued to
// fail every try.
TEST_F(BackgroundUploadTest, SettingsThatCannotSendAreSaidAndNothingIsQueued) {
    load();
    engine->setUploadEnabled(true);
    engine->setBackgroundUpload(true);
    engine->setFtpSettings(
        FtpSettings{QStringLiteral("127.0.0.1"), 21, {}, {}, GopherService, {}, {}});
    ASSERT_TRUE(engine->capture());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("GOPHER не поддерживается")))
        << messages.texts().join(u'|').toStdString();

    messages.clear();
    engine->setFtpSettings(FtpSettings{QStringLiteral("127.0.0.1"),
                                       21,
                                       QStringLiteral("snap"),
                                       QStringLiteral("secret\r\nDELE victim.jpg"),
                                       FtpOnlyService,
                                       {},
                                       {}});
    ASSERT_TRUE(engine->capture());
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("В поле \"Пароль\" настроек FTP есть управляющий символ "
                                         "(например, перевод строки). Передача файла отменена.")});
    EXPECT_EQ(engine->backgroundUpload().uploadQueue().length(), 0);
}
