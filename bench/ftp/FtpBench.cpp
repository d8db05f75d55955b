// FTP upload of a 4 MiB picture to the tests' FTP server (pyftpdlib on 127.0.0.1),
// beside "curl -T" of the same file to the same server, as a ratio of throughputs.
//
// Both log in anew for every upload, as the program does for every picture. curl is
// timed from its process start to its end, and by its own clock (-w %{time_total}),
// which leaves out starting the process and loading the library; and curl is also run
// with the commands ours sends besides its own (AUTH when TLS may be used, the picture
// under a temporary name, then renamed). Our upload is timed through the transport
// alone and through the engine's upload beside the real window (the engine on its own
// thread, the window showing the status line).
//
//   ftp_bench [FOLDER]

#include "TestServers.h"
#include "camera/simulator/SimulatedCamera.h"
#include "engine/Engine.h"
#include "engine/upload/FtpService.h"
#include "engine/upload/FtpSettings.h"
#include "engine/upload/FtpUpload.h"
#include "engine/upload/UploadTransport.h"
#include "support/BenchStats.h"
#include "support/BenchWindow.h"
#include "support/MachineInfo.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <vector>

using namespace snapdeck;
using namespace snapdeck::bench;
using snapdeck::test::FtpServerSetup;
using snapdeck::test::TestServer;

namespace {

constexpr qint64 kPictureBytes = 4 * 1024 * 1024;

// A picture-sized file of noise with a JPEG's first and last bytes: it compresses as
// little as a picture does.
bool writePicture(const QString& path) {
    QByteArray bytes(kPictureBytes, Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    bytes[0] = char(0xFF), bytes[1] = char(0xD8);
    bytes[bytes.size() - 2] = char(0xFF), bytes[bytes.size() - 1] = char(0xD9);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One upload as the program makes it: a new transport, log in, send.
bool uploadOnce(std::int32_t service, const UploadAccount& account, const QString& path,
                const QString& name) {
    const TransportOptions options;
    const std::unique_ptr<UploadTransport> transport =
        openTransport(service, account, options, uploadDeadline(options, QFileInfo(path).size()));
    return transport && transport->connect() == StepResult::Done &&
           transport->sendFile(path, name) == StepResult::Done;
}

struct CurlRun {
    double wallMs = -1; // process start to end
    double ownMs = -1;  // curl's time_total
};

// curl uploading "path" as "remote" ("": its own name), with "extra" options.
CurlRun curlOnce(const QStringList& extra, const UploadAccount& account, const QString& path,
                 const QString& remote = {}) {
    QProcess curl;
    curl.setStandardErrorFile(QProcess::nullDevice());
    const QStringList arguments =
        QStringList{QStringLiteral("-sS"),
                    QStringLiteral("-w"),
                    QStringLiteral("%{time_total}"),
                    QStringLiteral("-u"),
                    account.login + u':' + account.password,
                    QStringLiteral("-T"),
                    path} +
        extra + QStringList{QStringLiteral("ftp://127.0.0.1:%1/%2").arg(account.port).arg(remote)};
    CurlRun run;
    const BenchClock::time_point start = BenchClock::now();
    curl.start(QStringLiteral("curl"), arguments);
    if (!curl.waitForFinished(60000) || curl.exitStatus() != QProcess::NormalExit ||
        curl.exitCode() != 0) {
        std::fprintf(stderr, "ftp_bench: curl %s failed\n", qPrintable(arguments.join(u' ')));
        return run;
    }
    run.wallMs = millisecondsSince(start);
    run.ownMs = curl.readAllStandardOutput().trimmed().toDouble() * 1000.0;
    return run;
}

double mibPerSecond(double milliseconds) {
    return double(kPictureBytes) / (1024.0 * 1024.0) / (milliseconds / 1000.0);
}

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir dir(parent + QStringLiteral("/ftp-bench-XXXXXX"));
    if (!dir.isValid())
        return 1;
    printMachine(dir.path());
    const QString name = QStringLiteral("picture.jpg");
    const QString path = dir.filePath(name);
    if (!writePicture(path))
        return 1;

    const FtpServerSetup setup;
    const std::unique_ptr<TestServer> server = TestServer::ftp(setup);
    if (server->port() == 0) {
        std::fprintf(stderr, "ftp_bench: %s\n", qPrintable(server->failure()));
        return 1;
    }
    const UploadAccount account{QStringLiteral("127.0.0.1"), server->port(), setup.user,
                                setup.password};

    FtpSettings settings;
    settings.FtpHost = account.host;
    settings.FtpPort = account.port;
    settings.FtpLogin = account.login;
    settings.FtpPassword = account.password;
    settings.FtpServiceType = AutoService;
    SimulatedCamera camera;
    BenchWindow bench(camera, dir.path(), settings);
    bench.loadAndShow();
    bench.stopBatteryTick();

    const int repeat = repetitions(11);
    Samples autoService, ftpService, window, curlPassive, curlPassiveOwn, curlActive, curlActiveOwn,
        curlSameAutoOwn, curlSameFtpOwn;
    // The commands ours sends besides curl's: AUTH TLS and AUTH SSL ("Авто" uses TLS
    // when the server offers it), and the picture sent under a temporary name, then
    // RNFR and RNTO. curl can send the same.
    const QString part = u'.' + name + QStringLiteral(".part");
    const QStringList renamed{QStringLiteral("-Q"), QStringLiteral("-RNFR ") + part,
                              QStringLiteral("-Q"), QStringLiteral("-RNTO ") + name};
    uploadOnce(AutoService, account, path, name); // the server's first upload warms it up
    // Each round runs the five uploads in a different order: what one leaves behind on
    // the machine or the server (a connection closing, the disk writing) falls on
    // each of them alike.
    const std::vector<std::function<void()>> uploads{
        [&] {
            autoService.add(timed([&] {
                if (!uploadOnce(AutoService, account, path, name))
                    std::fprintf(stderr, "ftp_bench: our upload failed\n");
            }));
        },
        [&] { ftpService.add(timed([&] { uploadOnce(FtpOnlyService, account, path, name); })); },
        [&] {
            window.add(timed([&] {
                bench.host().post([&name](Engine& e) { e.upload().send(name); });
                bench.waitUntilDone();
            }));
        },
        [&] {
            const CurlRun passive = curlOnce({}, account, path);
            curlPassive.add(passive.wallMs);
            curlPassiveOwn.add(passive.ownMs);
        },
        [&] {
            const CurlRun active =
                curlOnce({QStringLiteral("-P"), QStringLiteral("-")}, account, path);
            curlActive.add(active.wallMs);
            curlActiveOwn.add(active.ownMs);
        },
        [&] {
            curlSameAutoOwn.add(
                curlOnce(QStringList{QStringLiteral("--ssl")} + renamed, account, path, part)
                    .ownMs);
        },
        [&] {
            curlSameFtpOwn.add(
                curlOnce(QStringList{QStringLiteral("-P"), QStringLiteral("-")} + renamed, account,
                         path, part)
                    .ownMs);
        },
    };
    for (int i = 0; i < repeat; ++i) {
        for (std::size_t k = 0; k < uploads.size(); ++k)
            uploads[(i + k) % uploads.size()]();
    }
    for (const QString& text : bench.messages().texts())
        std::fprintf(stderr, "ftp_bench: message box: %s\n", qPrintable(text));
    const bool arrived = QFile(server->path(QStringLiteral("/") + name)).size() == kPictureBytes;

    std::printf("\nFTP upload of a %lld-byte picture to pyftpdlib on 127.0.0.1 (new login each "
                "time),\nmedians of %d uploads%s:\n\n",
                static_cast<long long>(kPictureBytes), repeat,
                arrived ? "" : " (THE PICTURE DID NOT ARRIVE WHOLE)");
    std::printf("  %-62s %8s %9s\n", "", "ms", "MiB/s");
    auto line = [&](const char* what, const Samples& samples) {
        std::printf("  %-62s %8.1f %9.1f\n", what, samples.median(),
                    mibPerSecond(samples.median()));
    };
    line("ours, service \"Авто\" (passive, TLS if offered)", autoService);
    line("ours, service \"FTP\" (active)", ftpService);
    line("ours, the engine's upload with the window (\"Авто\")", window);
    line("curl -T, passive, process start to end", curlPassive);
    line("curl -T, passive, curl's own time_total", curlPassiveOwn);
    line("curl -T -P -, active, process start to end", curlActive);
    line("curl -T -P -, active, curl's own time_total", curlActiveOwn);
    line("curl with our commands, passive, --ssl, curl's own time", curlSameAutoOwn);
    line("curl with our commands, active, curl's own time", curlSameFtpOwn);
    auto ratio = [](const Samples& ours, const Samples& peer) {
        return peer.median() / ours.median();
    };
    std::printf("\n  throughput, ours over curl's (goal: at least 0.9)\n");
    std::printf("  %-34s %10s %10s %14s\n", "", "curl -T", "own time", "same commands");
    auto ratios = [&](const char* what, const Samples& ours, const Samples& curl,
                      const Samples& curlOwn, const Samples& curlSame) {
        std::printf("  %-34s %10.2f %10.2f %14.2f\n", what, ratio(ours, curl), ratio(ours, curlOwn),
                    ratio(ours, curlSame));
    };
    ratios("\"Авто\" / curl passive", autoService, curlPassive, curlPassiveOwn, curlSameAutoOwn);
    ratios("window (\"Авто\") / curl passive", window, curlPassive, curlPassiveOwn,
           curlSameAutoOwn);
    ratios("\"FTP\" / curl active", ftpService, curlActive, curlActiveOwn, curlSameFtpOwn);
    std::printf("  spread: ours %s; window %s; curl passive %s; curl, same commands %s\n",
                qPrintable(autoService.text()), qPrintable(window.text()),
                qPrintable(curlPassive.text()), qPrintable(curlSameAutoOwn.text()));
    return 0;
}
