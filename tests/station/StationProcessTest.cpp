#include "FtpServerProcess.h"
#include "camera/simulator/SimulatedScene.h"
#include "common/AtomicFile.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace snapdeck;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject jsonOf(const QString& path) {
    return QJsonDocument::fromJson(contents(path)).object();
}

// What the simulated camera writes into each picture: its model, the moment to the
// millisecond and its number; no two pictures share it, across runs of the station too.
QString identityOf(const QString& path) {
    return QImageReader(path).text(kSceneCommentKey);
}

// A datagram socket of the test's own where the station's sd_notify messages arrive.
class NotifySocket {
public:
    explicit NotifySocket(const QString& path) : path_(path) {
        socket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        if (socket_ < 0 || size_t(name.size()) >= sizeof address.sun_path)
            return;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        bound_ = ::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~NotifySocket() {
        if (socket_ >= 0)
            ::close(socket_);
    }
    bool bound() const { return bound_; }
    // Every message received so far, one per datagram.
    QStringList messages() {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
            if (got < 0)
                break;
            received_.append(QString::fromUtf8(buffer, got));
        }
        return received_;
    }

private:
    QString path_;
    int socket_ = -1;
    bool bound_ = false;
    QStringList received_;
};

// The built program run as a station: the simulated camera with its card in a folder,
// the pictures in another, real short intervals. The environment has no display and no
// Qt platform: the program must need neither.
class StationProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(runtimeDir.isValid());
        ASSERT_TRUE(QDir().mkpath(cardFolder()));
        environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "NOTIFY_SOCKET"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    }
    void TearDown() override {
        if (station.state() != QProcess::NotRunning) {
            station.kill();
            station.waitForFinished(5000);
        }
    }

    QString cardFolder() const { return dir.filePath(QStringLiteral("card")); }
    QString picturesFolder() const { return dir.filePath(QStringLiteral("pictures")); }
    QString inPictures(const QString& name) const { return picturesFolder() + u'/' + name; }
    QString configPath() const { return dir.filePath(QStringLiteral("station.ini")); }

    // A configuration of the simulated camera and the test's folders, with "more" after.
    QString writeConfig(const QString& schedule, const QString& more = {}) {
        const QString text = QStringLiteral("[camera]\n"
                                            "camera = simulator:%1\n"
                                            "image_size = SQ2 640x480\n"
                                            "[pictures]\n"
                                            "folder = %2\n"
                                            "name = cam-%n\n"
                                            "min_free = 1MB\n"
                                            "[schedule]\n")
                                 .arg(cardFolder(), picturesFolder()) +
                             schedule + u'\n' + more;
        writeFileAtomically(configPath(), text.toUtf8());
        return configPath();
    }

    void start(const QStringList& arguments) {
        station.setProcessEnvironment(environment);
        station.start(QStringLiteral(SNAPDECK_PROGRAM), arguments);
        ASSERT_TRUE(station.waitForStarted());
    }
    void startStation() { start({QStringLiteral("--station=") + configPath()}); }
    // The process's end, within "limitMs"; false when it is still running.
    bool finished(int limitMs) {
        if (station.state() == QProcess::NotRunning)
            return true;
        return station.waitForFinished(limitMs);
    }
    // Polls a running station (it works on its own real clock) until "done" or the limit.
    bool waitFor(const std::function<bool()>& done, int limitMs = 20000) {
        QElapsedTimer watch;
        watch.start();
        while (!done()) {
            if (watch.elapsed() > limitMs || station.state() == QProcess::NotRunning)
                return done();
            QThread::msleep(20);
        }
        return true;
    }
    QString errorOutput() { return QString::fromUtf8(station.readAllStandardError()); }

    QStringList pictures() const {
        return QDir(picturesFolder()).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    }
    QStringList cardPictures() const {
        return QDir(cardFolder()).entryList({QStringLiteral("*.JPG")}, QDir::Files);
    }
    QJsonObject status() const { return jsonOf(inPictures(QStringLiteral("status.json"))); }
    QJsonObject savedState() const {
        return jsonOf(inPictures(QStringLiteral("station-state.json")));
    }
    qint64 storedSoFar() const {
        return status()
            .value(QStringLiteral("pictures"))
            .toObject()
            .value(QStringLiteral("stored"))
            .toInteger();
    }
    QString logText() const { return QString::fromUtf8(contents(inPictures("station.log"))); }

    QTemporaryDir dir;
    QTemporaryDir runtimeDir;
    QProcessEnvironment environment;
    QProcess station;
};

// "cam-N.jpg" sorted by N.
QList<int> numbersOf(const QStringList& names) {
    QList<int> numbers;
    for (const QString& name : names)
        numbers.append(name.mid(4, name.size() - 8).toInt());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

TEST_F(StationProcessTest, ABadFileEndsWithStatus2AndOneLineNamingFileLineAndKeyAndStartsNothing) {
    const QString password = dir.filePath(QStringLiteral("password"));
    writeFileAtomically(password, "secret\n", 0644);
    ::chmod(QFile::encodeName(password).constData(), 0644);
    struct Case {
        QString schedule;
        QString more;
        QString expected; // after "FILE:"
    };
    const Case cases[] = {
        {QStringLiteral("interval = 1s\nrepeat = 3"), {}, QStringLiteral(":10: repeat: ")},
        {QStringLiteral("interval = 0s"), {}, QStringLiteral(":9: interval: ")},
        {QStringLiteral("interval = 1s\ndaily_from = 25:00"),
         {},
         QStringLiteral(":10: daily_from: ")},
        {QStringLiteral("interval = 1s"),
         QStringLiteral("[upload]\nurl = ftp://127.0.0.1/webcam\npassword_file = ") + password,
         QStringLiteral(":12: password_file: \"") + password +
             QStringLiteral("\" may be read by others")},
    };
    for (const Case& bad : cases) {
        writeConfig(bad.schedule, bad.more);
        for (const QStringList& extra : {QStringList{}, QStringList{QStringLiteral("--check")}}) {
            SCOPED_TRACE((bad.expected + u' ' + extra.join(u' ')).toStdString());
            start(QStringList{QStringLiteral("--station=") + configPath()} + extra);
            ASSERT_TRUE(finished(30000));
            EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(station.exitCode(), 2);
            const QString error = errorOutput();
            EXPECT_EQ(error.count(u'\n'), 1) << error.toStdString();
            EXPECT_TRUE(error.contains(configPath() + bad.expected)) << error.toStdString();
            EXPECT_FALSE(QFileInfo::exists(picturesFolder())) << "nothing started";
        }
    }

    // A file that is not there, and one that cannot be read, name the file.
    const QString missing = dir.filePath(QStringLiteral("missing.ini"));
    start({QStringLiteral("--station=") + missing});
    ASSERT_TRUE(finished(30000));
    EXPECT_EQ(station.exitCode(), 2);
    EXPECT_TRUE(errorOutput().startsWith(QStringLiteral("snapdeck: ") + missing + u':'));
    if (::geteuid() != 0) {
        writeConfig(QStringLiteral("interval = 1s"));
        ::chmod(QFile::encodeName(configPath()).constData(), 0);
        start({QStringLiteral("--station=") + configPath()});
        ASSERT_TRUE(finished(30000));
        EXPECT_EQ(station.exitCode(), 2);
        EXPECT_TRUE(errorOutput().contains(configPath() + QStringLiteral(": cannot be read")));
    }
    EXPECT_FALSE(QFileInfo::exists(picturesFolder()));
}

TEST_F(StationProcessTest, CheckSaysAGoodFileIsGoodAndStartsNothing) {
    writeConfig(QStringLiteral("interval = 1s\ncount = 3"));
    start({QStringLiteral("--station=") + configPath(), QStringLiteral("--check")});
    ASSERT_TRUE(finished(30000));
    EXPECT_EQ(station.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(station.readAllStandardOutput()).contains(configPath()));
    EXPECT_TRUE(errorOutput().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(picturesFolder()));
    EXPECT_TRUE(cardPictures().isEmpty());
}

TEST_F(StationProcessTest, WithoutADisplayAShortPlanTakesItsPicturesTellsSystemdAndEndsWith0) {
    NotifySocket notifications(dir.filePath(QStringLiteral("notify")));
    ASSERT_TRUE(notifications.bound());
    environment.insert(QStringLiteral("NOTIFY_SOCKET"), dir.filePath(QStringLiteral("notify")));
    writeConfig(QStringLiteral("interval = 1s\ncount = 3"));
    startStation();
    ASSERT_TRUE(finished(30000)) << errorOutput().toStdString();
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(station.exitCode(), 0) << errorOutput().toStdString();

    EXPECT_EQ(numbersOf(pictures()), (QList<int>{1, 2, 3}));
    EXPECT_TRUE(cardPictures().isEmpty()) << "each picture left the card once on disk";
    EXPECT_EQ(status().value(QStringLiteral("state")).toString(), QStringLiteral("ended"));
    EXPECT_EQ(savedState().value(QStringLiteral("stored")).toInt(), 3);
    const QString console = errorOutput();
    EXPECT_TRUE(console.contains(QStringLiteral("plan ended: 3 pictures stored")))
        << console.toStdString();
    EXPECT_TRUE(logText().contains(QStringLiteral("plan ended: 3 pictures stored")));

    const QStringList told = notifications.messages();
    EXPECT_TRUE(told.contains(QStringLiteral("READY=1"))) << told.join(u',').toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("WATCHDOG=1")));
    EXPECT_TRUE(told.contains(QStringLiteral("STOPPING=1")));
    EXPECT_LT(told.indexOf(QStringLiteral("READY=1")), told.indexOf(QStringLiteral("STOPPING=1")));
}

TEST_F(StationProcessTest, SigtermEndsAPlanWithStatus0AndTheStateSaved) {
    writeConfig(QStringLiteral("interval = 1s"));
    startStation();
    ASSERT_TRUE(waitFor([&] { return storedSoFar() >= 2; })) << errorOutput().toStdString();
    ::kill(pid_t(station.processId()), SIGTERM);
    ASSERT_TRUE(finished(10000)) << "a station told to stop ends within 10 s";
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(station.exitCode(), 0);

    // Every shot is either on disk and counted, or noted as left on the card.
    const QJsonObject saved = savedState();
    EXPECT_EQ(saved.value(QStringLiteral("stored")).toInt(), pictures().size());
    EXPECT_EQ(saved.value(QStringLiteral("onCard")).toArray().size(), cardPictures().size());
    EXPECT_EQ(status().value(QStringLiteral("state")).toString(), QStringLiteral("ended"));
    EXPECT_TRUE(logText().contains(QStringLiteral("told to stop")));
}

// A kill at the worst moment: a picture taken and noted, not yet stored.
TEST_F(StationProcessTest, AStationKilledMidRunGoesOnWhereItWasAtRestart) {
    writeConfig(QStringLiteral("interval = 1s\ncount = 5"));
    QDir().mkpath(picturesFolder());
    const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ::inotify_add_watch(watch, QFile::encodeName(picturesFolder()).constData(), IN_MOVED_TO);
    startStation();

    // The state file is replaced whole at each change: the kill strikes as soon as a
    // version of it notes a shot the camera named on its card, after a picture was stored.
    bool noteSeen = false;
    const bool killed = waitFor([&] {
        char events[4096];
        while (::read(watch, events, sizeof events) > 0) {
        }
        const QJsonObject saved = savedState();
        const QJsonArray notes = saved.value(QStringLiteral("onCard")).toArray();
        noteSeen = saved.value(QStringLiteral("stored")).toInt() >= 1 &&
                   std::any_of(notes.begin(), notes.end(), [](const QJsonValue& note) {
                       return !note.toObject().value(QStringLiteral("card")).toString().isEmpty();
                   });
        if (noteSeen || saved.value(QStringLiteral("stored")).toInt() >= 3) {
            ::kill(pid_t(station.processId()), SIGKILL);
            return true;
        }
        return false;
    });
    ::close(watch);
    ASSERT_TRUE(killed) << errorOutput().toStdString();
    ASSERT_TRUE(finished(10000));
    EXPECT_EQ(station.exitStatus(), QProcess::CrashExit);
    const QStringList before = pictures();
    const qint64 counterBefore = savedState().value(QStringLiteral("counter")).toInteger();

    startStation();
    ASSERT_TRUE(finished(30000)) << errorOutput().toStdString();
    EXPECT_EQ(station.exitCode(), 0) << errorOutput().toStdString();

    // The count goes on: five pictures in all, none twice, each name given once.
    const QStringList after = pictures();
    EXPECT_EQ(after.size(), 5) << after.join(u' ').toStdString();
    QSet<QString> identities;
    for (const QString& name : after)
        identities.insert(identityOf(inPictures(name)));
    EXPECT_EQ(identities.size(), after.size()) << "no picture stored twice";
    EXPECT_FALSE(identities.contains(QString())) << "every picture whole";
    for (const QString& name : before)
        EXPECT_TRUE(after.contains(name)) << name.toStdString();
    const QList<int> numbers = numbersOf(after);
    EXPECT_GT(numbers.last(), counterBefore) << "names continue from the counter";
    EXPECT_TRUE(cardPictures().isEmpty()) << "what the kill left on the card was copied";
    // No grid point shot twice: the one the kill interrupted is not fired again.
    static const QRegularExpression shotDue(QStringLiteral("shot due (\\S+) as"));
    QStringList moments;
    for (auto match = shotDue.globalMatch(logText()); match.hasNext();)
        moments.append(match.next().captured(1));
    EXPECT_EQ(QSet<QString>(moments.begin(), moments.end()).size(), moments.size())
        << moments.join(u' ').toStdString();
    if (noteSeen) {
        EXPECT_TRUE(logText().contains(QStringLiteral("from the card as")) ||
                    logText().contains(QStringLiteral("was stored before the station stopped")))
            << logText().toStdString();
    }
    EXPECT_TRUE(QDir(picturesFolder())
                    .entryList({QStringLiteral(".*.jpg.*")}, QDir::Files | QDir::Hidden)
                    .isEmpty())
        << "no half-written picture left behind";
}

TEST_F(StationProcessTest, PicturesQueuedWhileTheServerIsDownReachItOnceItIsBack) {
    const QString serverRoot = dir.filePath(QStringLiteral("server"));
    soak::FtpServerProcess server(serverRoot, dir.filePath(QStringLiteral("server-events")),
                                  QStringLiteral("station"), QStringLiteral("пароль"));
    ASSERT_TRUE(QDir().mkpath(serverRoot + QStringLiteral("/webcam")));
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    const QString password = dir.filePath(QStringLiteral("password"));
    writeFileAtomically(password, QStringLiteral("пароль\n").toUtf8(), 0600);
    writeConfig(QStringLiteral("interval = 1s"),
                QStringLiteral("[upload]\nurl = ftp://127.0.0.1:%1/webcam\nuser = station\n"
                               "password_file = %2\nmin_free_queue = 1MB\n")
                    .arg(server.port())
                    .arg(password));
    const QString serverFolder = serverRoot + QStringLiteral("/webcam");
    const auto onServer = [&] {
        return QDir(serverFolder).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    };
    startStation();
    ASSERT_TRUE(waitFor([&] { return !onServer().isEmpty(); })) << errorOutput().toStdString();

    server.stop();
    const qint64 storedAtStop = storedSoFar();
    ASSERT_TRUE(waitFor([&] { return storedSoFar() >= storedAtStop + 2; }));
    const QStringList storedWhileDown = pictures();
    EXPECT_GT(
        status().value(QStringLiteral("queue")).toObject().value(QStringLiteral("length")).toInt(),
        0);

    ASSERT_TRUE(server.start(server.port())) << server.failure().toStdString();
    // The worker's backoff after a few seconds of failures is a few seconds.
    EXPECT_TRUE(waitFor(
        [&] {
            const QStringList sent = onServer();
            return std::all_of(storedWhileDown.begin(), storedWhileDown.end(),
                               [&](const QString& name) { return sent.contains(name); });
        },
        40000))
        << "on the server: " << onServer().join(u' ').toStdString();
    ::kill(pid_t(station.processId()), SIGTERM);
    ASSERT_TRUE(finished(10000));
    EXPECT_EQ(station.exitCode(), 0);

    for (const QString& name : onServer())
        EXPECT_EQ(contents(serverFolder + u'/' + name), contents(inPictures(name)))
            << name.toStdString() << ": the server holds the very picture";
    EXPECT_TRUE(QDir(serverFolder)
                    .entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden)
                    .isEmpty());
}
