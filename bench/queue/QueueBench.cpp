// The durable upload queue under interval shooting, on the simulated camera at its
// default size (HQ, 3264x2448), through the program as main() builds it: the engine on
// its own thread, whose timer ticks the schedule, the main window shown.
//
//  1. Shots on time while the server is slow: interval shooting at 1 s on the real clock
//     while the FTP server (pyftpdlib on 127.0.0.1) receives at a tenth of the picture
//     rate, so that a picture takes about 10 s. Each shot's lateness is the moment the
//     camera was asked for the picture against its due moment (switch-on + n x 1 s).
//     Run twice: (a) "Отправлять в фоне", the pictures go into the queue; (b) the upload
//     at once on the engine's thread, for as long as (a) ran.
//  2. Drain at full speed: the slow server is stopped and a fast one started on the same
//     port (the queued entries keep their destination); the backlog left by (a) is timed
//     until the queue is empty, beside "curl -T" of the same files to the same server,
//     one process per file in a loop, and all of them in one process.
//
//   queue_bench [FOLDER] [--shots N]      N shots in each run (default 40)

#include "TestServers.h"
#include "camera/CameraSettings.h"
#include "camera/simulator/SimulatedCamera.h"
#include "engine/Engine.h"
#include "engine/schedule/ScheduleForm.h"
#include "engine/upload/FtpService.h"
#include "engine/upload/FtpSettings.h"
#include "support/BenchStats.h"
#include "support/BenchWindow.h"
#include "support/MachineInfo.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <vector>

using namespace snapdeck;
using namespace snapdeck::bench;
using snapdeck::test::FtpServerSetup;
using snapdeck::test::TestServer;

namespace {

constexpr int kIntervalMs = 1000;
constexpr int kDefaultShots = 40;

// The simulated camera, noting the moment each picture is asked for: the moment a shot
// is taken, whatever the camera then does with it. Asked on the engine's thread.
class ShotMomentCamera : public SimulatedCamera {
public:
    void takePicture() override {
        {
            std::lock_guard lock(mutex_);
            moments_.push_back(BenchClock::now());
        }
        SimulatedCamera::takePicture();
    }
    std::vector<BenchClock::time_point> moments() const {
        std::lock_guard lock(mutex_);
        return moments_;
    }
    int shots() const {
        std::lock_guard lock(mutex_);
        return int(moments_.size());
    }

private:
    mutable std::mutex mutex_;
    std::vector<BenchClock::time_point> moments_;
};

double msBetween(BenchClock::time_point from, BenchClock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Runs the window's events until "done" holds, looking at it every "everyMs"; false
// after "limitMs".
bool pollUntil(const std::function<bool()>& done, int limitMs, int everyMs) {
    const BenchClock::time_point start = BenchClock::now();
    QTimer tick;
    tick.start(everyMs);
    while (!done()) {
        if (millisecondsSince(start) > limitMs)
            return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The FTP server on "port" (0: any), receiving each upload at "rate" bytes a second
// (0: at once). The port of a server just stopped may take a moment to be free.
std::unique_ptr<TestServer> startServer(int port, double rate) {
    FtpServerSetup setup;
    setup.port = port;
    setup.slowRate = rate;
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::unique_ptr<TestServer> server = TestServer::ftp(setup);
        if (server->port() != 0)
            return server;
        std::fprintf(stderr, "queue_bench: %s\n", qPrintable(server->failure()));
        QThread::msleep(100);
    }
    return nullptr;
}

// The pictures a server holds (its uploads' temporary names start with a dot).
QStringList receivedFiles(const TestServer& server) {
    return QDir(server.path(QStringLiteral("/"))).entryList(QDir::Files, QDir::Name);
}

struct ScheduleRun {
    int due = 0;             // shots the schedule asked for
    double lastedMs = 0;     // switch-on until the run ended or was switched off
    Samples lateness;        // each shot's moment against switch-on + n x interval
    Samples gaps;            // between consecutive shots
    QList<int> queueLengths; // the queue's length at each second after switch-on
};

// Interval shooting at 1 s with a count limit of "shots", as the schedule frame sets it;
// switched off after "limitMs" if the count is not reached by then.
ScheduleRun runSchedule(BenchWindow& bench, ShotMomentCamera& camera, int shots, double limitMs) {
    ScheduleForm form = scheduleStartValues(QDateTime::currentDateTime());
    form.interval = QString::number(kIntervalMs / 1000);
    form.stopAfterCount = true;
    form.count = QString::number(shots);
    const int before = camera.shots();
    std::atomic<bool> switchedOn{false};
    BenchClock::time_point switchOnMoment;
    bench.host().post([&](Engine& e) {
        e.setSchedule(form);
        switchOnMoment = BenchClock::now();
        e.setIntervalShooting(true);
        switchedOn = true;
    });
    pollUntil([&] { return switchedOn.load(); }, 60000, 5);

    ScheduleRun run;
    run.due = shots;
    UploadQueue& queue = bench.host().engine().backgroundUpload().uploadQueue();
    const bool ended = pollUntil(
        [&] {
            const double since = millisecondsSince(switchOnMoment);
            if (since >= 1000.0 * run.queueLengths.size())
                run.queueLengths.append(queue.length()); // the queue is safe from any thread
            return camera.shots() - before >= shots || since > limitMs;
        },
        int(limitMs) + 60000, 20);
    run.lastedMs = millisecondsSince(switchOnMoment);
    if (!ended || camera.shots() - before < shots) {
        bench.host().post([](Engine& e) { e.setIntervalShooting(false); });
        run.due = int(run.lastedMs / kIntervalMs);
    }
    bench.waitUntilDone(120000);

    const std::vector<BenchClock::time_point> moments = camera.moments();
    QList<double> taken;
    for (std::size_t i = std::size_t(before); i < moments.size(); ++i)
        taken.append(msBetween(switchOnMoment, moments[i]));
    for (qsizetype n = 0; n < taken.size(); ++n)
        run.lateness.add(taken[n] - double(n + 1) * kIntervalMs);
    run.gaps = gapsBetween(taken);
    return run;
}

struct Drain {
    int backlog = 0;
    qint64 bytes = 0;
    double restartMs = 0;     // the slow server told to stop until the fast one listened
    int failedTries = 0;      // while the server was away and coming back
    double firstWaitedMs = 0; // fast server listening until the first picture confirmed
    double drainMs = 0;       // fast server listening until the queue was empty
    double steadyMs = 0;      // first picture confirmed until the last
    QStringList files;
};

// The slow server stops (cutting off the upload it was receiving) and a fast one starts
// on the same port; the queue drains into it.
Drain drainAtFullSpeed(BenchWindow& bench, std::unique_ptr<TestServer>& server, int port) {
    Engine& engine = bench.host().engine();
    UploadQueue& queue = engine.backgroundUpload().uploadQueue();
    UploadWorker& worker = engine.backgroundUpload().worker();
    Drain drain;
    const int failedBefore = worker.report().failed;
    const BenchClock::time_point stop = BenchClock::now();
    server.reset();
    drain.backlog = queue.length();
    server = startServer(port, 0);
    if (!server)
        return drain;
    const BenchClock::time_point up = BenchClock::now();
    drain.restartMs = msBetween(stop, up);
    BenchClock::time_point first{}, last{};
    int confirmed = 0;
    pollUntil(
        [&] {
            const int length = queue.length();
            if (length < drain.backlog - confirmed) {
                last = BenchClock::now();
                if (confirmed == 0)
                    first = last;
                confirmed = drain.backlog - length;
            }
            return length == 0;
        },
        600000, 2);
    if (confirmed == 0)
        return drain;
    drain.failedTries = worker.report().failed - failedBefore;
    drain.firstWaitedMs = msBetween(up, first);
    drain.drainMs = msBetween(up, last);
    drain.steadyMs = msBetween(first, last);
    drain.files = receivedFiles(*server);
    for (const QString& name : drain.files)
        drain.bytes += QFileInfo(server->path(u'/' + name)).size();
    return drain;
}

struct CurlRun {
    double wallMs = 0; // the first process started until the last ended
    double ownMs = 0;  // the transfers' own times (-w %{time_total}), added up
};

// curl uploading each file to the server, logging in each time as the queue does;
// "oneProcess" sends them all from one curl, which keeps its connection.
CurlRun curlUpload(const QStringList& paths, int port, bool oneProcess) {
    const FtpServerSetup setup;
    const QString url = QStringLiteral("ftp://127.0.0.1:%1/").arg(port);
    const QStringList common{QStringLiteral("-sS"), QStringLiteral("-w"),
                             QStringLiteral("%{time_total}\\n"), QStringLiteral("-u"),
                             setup.user + u':' + setup.password};
    CurlRun result;
    auto run = [&result](const QStringList& arguments) {
        QProcess curl;
        curl.start(QStringLiteral("curl"), arguments);
        if (!curl.waitForFinished(600000) || curl.exitStatus() != QProcess::NormalExit ||
            curl.exitCode() != 0)
            std::fprintf(stderr, "queue_bench: curl failed: %s\n",
                         curl.readAllStandardError().constData());
        for (const QByteArray& line : curl.readAllStandardOutput().split('\n'))
            result.ownMs += line.trimmed().toDouble() * 1000.0;
    };
    result.wallMs = timed([&] {
        if (oneProcess) {
            QStringList arguments = common;
            for (const QString& path : paths)
                arguments << QStringLiteral("-T") << path << url;
            run(arguments);
        } else {
            for (const QString& path : paths)
                run(common + QStringList{QStringLiteral("-T"), path, url});
        }
    });
    return result;
}

void printLateness(const char* what, const ScheduleRun& run) {
    std::printf("  %-40s %6d %6lld %9.1f %9.1f %9.1f %9.1f %9.1f\n", what, run.due,
                static_cast<long long>(run.lateness.count()), run.lateness.median(),
                run.lateness.percentile(0.95), run.lateness.max(), run.gaps.median(),
                run.gaps.max());
}

double megabytesPerSecond(double bytes, double ms) {
    return bytes / 1e6 / (ms / 1000.0);
}

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    QString parent = QStringLiteral(".");
    int shots = kDefaultShots;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QStringLiteral("--shots") && i + 1 < argc)
            shots = std::max(2, QString::fromLocal8Bit(argv[++i]).toInt());
        else
            parent = argument;
    }
    QTemporaryDir dir(parent + QStringLiteral("/queue-bench-XXXXXX"));
    if (!dir.isValid())
        return 1;
    printMachine(dir.path());

    ShotMomentCamera camera;
    FtpSettings settings;
    settings.FtpHost = QStringLiteral("127.0.0.1");
    settings.FtpLogin = FtpServerSetup().user;
    settings.FtpPassword = FtpServerSetup().password;
    settings.FtpServiceType = AutoService;
    BenchWindow bench(camera, dir.path(), settings);
    bench.loadAndShow();
    bench.chooseImageSize(ImageSize::Hq3264x2448);
    // Dated names, as a time-lapse keeps its pictures: with "image.jpg" overwritten, a
    // newer picture would replace the waiting one in the queue. Its warning answers itself.
    bench.host().post([](Engine& e) { e.setOverwrite(false); });
    bench.waitUntilDone();
    bench.messages().clear();

    // One picture first, to learn its size: the server is slowed to a tenth of it.
    bench.capture();
    qint64 pictureBytes = 0;
    QSize pictureSize;
    for (const QFileInfo& file : QDir(dir.path()).entryInfoList({QStringLiteral("*.jpg")})) {
        if (file.size() <= pictureBytes)
            continue; // the preview
        pictureBytes = file.size();
        pictureSize = QImageReader(file.filePath()).size();
    }
    const double slowRate = double(pictureBytes) / 10.0;
    std::unique_ptr<TestServer> server = startServer(0, slowRate);
    if (!server)
        return 1;
    const int port = server->port();
    settings.FtpPort = port;
    bench.host().post([settings](Engine& e) {
        e.setFtpSettings(settings);
        e.setUploadEnabled(true);
        e.setBackgroundUpload(true);
    });
    bench.waitUntilDone();

    std::printf("\nThe upload queue: simulated camera at %dx%d (HQ), pictures of about %lld "
                "bytes;\nthe engine on its own thread, the main window shown; "
                "interval shooting at 1 s, %d shots;\nthe FTP server (pyftpdlib, 127.0.0.1) "
                "receiving at %.0f bytes/s, a picture in about 10 s.\n",
                pictureSize.width(), pictureSize.height(), static_cast<long long>(pictureBytes),
                shots, slowRate);
    std::fflush(stdout);

    // (a) the queue
    const ScheduleRun queued = runSchedule(bench, camera, shots, shots * kIntervalMs + 30000.0);
    const int receivedSlowly = int(receivedFiles(*server).size());

    // 2. the drain, then curl with the same files
    const Drain drain = drainAtFullSpeed(bench, server, port);
    if (!server)
        return 1;
    QStringList paths;
    for (const QString& name : drain.files)
        paths << dir.filePath(name);
    const int repeat = repetitions(3);
    Samples curlLoop, curlLoopOwn, curlOne, curlOneOwn;
    for (int i = 0; i < repeat; ++i) {
        const CurlRun loop = curlUpload(paths, port, false);
        curlLoop.add(loop.wallMs);
        curlLoopOwn.add(loop.ownMs);
        const CurlRun one = curlUpload(paths, port, true);
        curlOne.add(one.wallMs);
        curlOneOwn.add(one.ownMs);
    }

    // (b) the upload at once, slow server again, for as long as (a) ran
    server.reset();
    server = startServer(port, slowRate);
    if (!server)
        return 1;
    bench.host().post([](Engine& e) { e.setBackgroundUpload(false); });
    bench.waitUntilDone();
    const ScheduleRun atOnce = runSchedule(bench, camera, shots, queued.lastedMs);
    bench.host().post([](Engine& e) { e.setUploadEnabled(false); });
    bench.waitUntilDone();

    std::printf("\n1. Shots on time while the server is slow (lateness: the camera asked for "
                "the picture,\n   against switch-on + n x 1 s; ms)\n\n");
    std::printf("  %-40s %6s %6s %9s %9s %9s %9s %9s\n", "", "due", "taken", "median", "p95", "max",
                "gap med", "gap max");
    printLateness("(a) in the background (the queue)", queued);
    printLateness("(b) upload at once", atOnce);
    std::printf("\n  (a) lasted %.1f s; the slow server received %d pictures meanwhile\n",
                queued.lastedMs / 1000.0, receivedSlowly);
    std::printf("  (b) was switched off after %.1f s, as long as (a) ran\n",
                atOnce.lastedMs / 1000.0);
    std::printf("  (a) queue length at 0, 10, 20 ... s:");
    for (qsizetype i = 0; i < queued.queueLengths.size(); i += 10)
        std::printf(" %d", queued.queueLengths[i]);
    std::printf(" (at the end: %d)\n",
                queued.queueLengths.isEmpty() ? 0 : queued.queueLengths.last());
    std::printf("  (b) each shot's lateness:");
    for (const double late : atOnce.lateness.values())
        std::printf(" %.0f", late);
    std::printf("\n");

    std::printf(
        "\n2. Drain at full speed (the slow server stopped, a fast one on the same port)\n\n");
    const int count = int(drain.files.size());
    std::printf("  backlog: %d pictures, %.1f MB; %d on the fast server at the end\n",
                drain.backlog, drain.bytes / 1e6, count);
    std::printf("  the slow server stopped; the fast one listened %.0f ms later\n",
                drain.restartMs);
    std::printf(
        "  the worker's failed tries meanwhile: %d; the first picture was confirmed %.0f ms "
        "after the fast server listened\n",
        drain.failedTries, drain.firstWaitedMs);
    if (count == 0)
        return 1;
    std::printf("\n  %-56s %9s %9s %9s\n", "", "s", "pict/s", "MB/s");
    const double bytesPerPicture = double(drain.bytes) / count;
    auto line = [&](const char* what, double ms, int pictures) {
        std::printf("  %-56s %9.3f %9.1f %9.1f\n", what, ms / 1000.0, pictures / (ms / 1000.0),
                    megabytesPerSecond(bytesPerPicture * pictures, ms));
    };
    line("the queue: fast server listening until the queue is empty", drain.drainMs, count);
    if (count > 1)
        line("the queue: first picture confirmed until the last", drain.steadyMs, count - 1);
    line("curl -T, one process per file in a loop: start to end", curlLoop.median(), count);
    line("  the same, curl's own time_total added up", curlLoopOwn.median(), count);
    line("curl -T, all files in one process: start to end", curlOne.median(), count);
    line("  the same, curl's own time_total added up", curlOneOwn.median(), count);
    const double queueSteady = count > 1 ? drain.steadyMs / (count - 1) : drain.drainMs;
    const double queueWhole = drain.drainMs / count;
    std::printf("\n  the queue's rate over curl's (first to last confirmed; whole drain):\n");
    auto ratio = [&](const char* what, const Samples& curl) {
        const double curlPerPicture = curl.median() / count;
        std::printf("    %-52s %6.2f %6.2f\n", what, curlPerPicture / queueSteady,
                    curlPerPicture / queueWhole);
    };
    ratio("curl in a loop, start to end", curlLoop);
    ratio("curl in a loop, own time", curlLoopOwn);
    ratio("curl, one process, start to end", curlOne);
    ratio("curl, one process, own time", curlOneOwn);
    std::printf("  (medians of %d curl runs; spread: loop %s, one process %s)\n", repeat,
                qPrintable(curlLoop.text()), qPrintable(curlOne.text()));
    for (const QString& text : bench.messages().texts())
        std::fprintf(stderr, "queue_bench: message box: %s\n", qPrintable(text));
    return 0;
}
