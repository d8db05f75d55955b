// How long the window's thread goes without handling events while the engine works, in
// the program's own arrangement: the engine on its own thread, its news carried to the
// window through the window's event queue. A 5 ms timer on the window's thread notes
// when it fires; a gap between two firings longer than 5 ms is time the window could
// neither paint nor answer the user. Three kinds of work, on the libgphoto2 backend
// against the PTP/IP test camera with ~3 MB pictures:
//   capture  captures one after another, each until its picture is painted;
//   stall    a capture the camera never reports (no capture event), which ends at the
//            backend's capture limit, 45 s;
//   upload   a capture uploaded to a server that accepts the connection and never
//            answers, which ends at the upload's connection limit, 15 s (an FTP
//            server's greeting is part of connecting), and a message box.
//
//   responsiveness_bench [FOLDER] [--short]
//
// --short shortens the limits (capture 5 s, connecting and each answer 3 s) for a quick
// look; the figures to quote come from the program's own limits.

#include "camera/gphoto2/Gphoto2Camera.h"
#include "engine/Engine.h"
#include "engine/upload/FtpService.h"
#include "gphoto2/PtpIpCamera.h"
#include "support/BenchStats.h"
#include "support/BenchWindow.h"
#include "support/MachineInfo.h"
#include "support/SilentServer.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace snapdeck;
using namespace snapdeck::bench;

namespace {

constexpr int kTickMs = 5;
constexpr double kGoalMs = 50;
constexpr qint64 kPictureBytes = 3'100'000;

// Notes the gaps between the firings of a 5 ms timer on the calling thread, and when
// each gap ended.
class EventGaps {
public:
    EventGaps() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kTickMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { note(); });
    }
    void start() {
        gaps_ = {};
        endings_.clear();
        start_ = last_ = BenchClock::now();
        timer_.start();
    }
    // The gaps since start(), the time up to the call included.
    Samples stop() {
        timer_.stop();
        note();
        return gaps_;
    }
    // Seconds from start() to the end of the longest gap.
    double longestEndsAt() const {
        const std::vector<double>& gaps = gaps_.values();
        const auto longest = std::max_element(gaps.begin(), gaps.end());
        return longest == gaps.end() ? 0 : endings_[std::size_t(longest - gaps.begin())];
    }

private:
    void note() {
        const BenchClock::time_point now = BenchClock::now();
        gaps_.add(std::chrono::duration<double, std::milli>(now - last_).count());
        endings_.push_back(std::chrono::duration<double>(now - start_).count());
        last_ = now;
    }

    QTimer timer_;
    Samples gaps_;
    std::vector<double> endings_;
    BenchClock::time_point start_;
    BenchClock::time_point last_;
};

struct CaseFigures {
    const char* name = "";
    double seconds = 0;
    Samples gaps;
    double longestEndsAt = 0; // seconds into the case
    QStringList messages;
};

void printCase(const CaseFigures& figures) {
    std::vector<double> largest = figures.gaps.values();
    std::sort(largest.rbegin(), largest.rend());
    largest.resize(std::min<std::size_t>(largest.size(), 5));
    QStringList top;
    for (const double gap : largest)
        top << QString::number(gap, 'f', 1);
    std::printf("  %-9s %8.1f %8zu %8.2f %8.1f %8.1f   %-7s (largest: %s; the longest ended "
                "%.2f s in)\n",
                figures.name, figures.seconds, figures.gaps.count(), figures.gaps.median(),
                figures.gaps.percentile(0.99), figures.gaps.max(),
                figures.gaps.max() < kGoalMs ? "met" : "NOT MET", qPrintable(top.join(u' ')),
                figures.longestEndsAt);
    for (const QString& text : figures.messages)
        std::printf(
            "            message box: %s\n",
            qPrintable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" / "))));
}

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    QString parent = QStringLiteral(".");
    bool shortLimits = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--short") == 0)
            shortLimits = true;
        else
            parent = QString::fromLocal8Bit(argv[i]);
    }
    QTemporaryDir dir(parent + QStringLiteral("/responsiveness-bench-XXXXXX"));
    QTemporaryDir home;
    if (!dir.isValid() || !home.isValid())
        return 1;
    // libgphoto2 keeps its settings in ~/.gphoto: in a home of its own.
    qputenv("HOME", QFile::encodeName(home.path()));
    printMachine(dir.path());
    const int repeat = repetitions(11);

    PtpIpCamera device;
    test::SilentServer server;
    if (!device.ready() || !server.open()) {
        std::fprintf(stderr, "responsiveness_bench: the test camera or the silent server did "
                             "not start\n");
        return 1;
    }
    device.command(QStringLiteral("capturesize %1").arg(kPictureBytes));

    Gphoto2Options options;
    options.port = device.portPath();
    if (shortLimits)
        options.captureLimit = std::chrono::seconds(5);
    Gphoto2Camera camera(options);
    const FtpSettings silent{
        QStringLiteral("127.0.0.1"), server.port(), {}, {}, AutoService, {}, {}};
    BenchWindow bench(camera, dir.path(), silent);
    TransportOptions limits;
    if (shortLimits) {
        bench.host().post([](Engine& e) {
            TransportOptions& options = e.upload().transportOptions();
            options.connectTimeout = std::chrono::seconds(3);
            options.responseTimeout = std::chrono::seconds(3);
            options.stallTimeout = std::chrono::seconds(3);
        });
        limits.connectTimeout = std::chrono::seconds(3);
        limits.responseTimeout = std::chrono::seconds(3);
    }
    bench.loadAndShow();
    bench.messages().clear(); // this camera has no monitor and no preview
    bench.capture();          // the first capture reads the card's folders

    EventGaps gaps;
    std::vector<CaseFigures> cases;
    auto measure = [&](const char* name, const std::function<void()>& work) {
        bench.messages().clear();
        CaseFigures figures;
        figures.name = name;
        gaps.start();
        figures.seconds = timed(work) / 1000.0;
        figures.gaps = gaps.stop();
        figures.longestEndsAt = gaps.longestEndsAt();
        figures.messages = bench.messages().texts();
        cases.push_back(figures);
    };

    // What the timer does with nothing else to do, on this machine at this moment.
    measure("idle", [&] {
        bool over = false;
        QTimer::singleShot(2000, [&over] { over = true; });
        bench.waitUntil([&over] { return over; });
    });
    measure("capture", [&] {
        for (int i = 0; i < repeat; ++i)
            bench.capture();
    });
    device.command(QStringLiteral("fault nocaptureevents"));
    measure("stall", [&] { bench.capture(180000); });
    device.command(QStringLiteral("heal"));
    bench.window().findChild<QCheckBox*>(QStringLiteral("uploadBox"))->setChecked(true);
    bench.waitUntilDone();
    measure("upload", [&] { bench.capture(180000); });

    std::printf(
        "\nThe window thread's longest stretch without handling events, a 5 ms timer on "
        "it,\nthe engine on its own thread; the libgphoto2 backend and the PTP/IP test "
        "camera,\n%lld-byte pictures. Limits: capture %.0f s; connecting to the server, its "
        "greeting\nincluded, %.0f s; each answer %lld s%s.\n\n",
        static_cast<long long>(kPictureBytes), options.captureLimit.count() / 1000.0,
        limits.connectTimeout.count() / 1000.0,
        static_cast<long long>(limits.responseTimeout.count()),
        shortLimits ? " (shortened, --short)" : " (the program's own)");
    std::printf("  %-9s %8s %8s %8s %8s %8s   goal: longest under %.0f ms\n", "case", "seconds",
                "firings", "median", "p99", "longest", kGoalMs);
    for (const CaseFigures& figures : cases)
        printCase(figures);
    std::printf("\n  capture = %d captures one after another, each until its picture is painted;\n"
                "  stall   = one capture the camera never reports, until the backend gives up\n"
                "            and copies the picture the camera did store;\n"
                "  upload  = one capture, then its upload to a server that never answers its\n"
                "            greeting, until the message box (answered at once) and the end of\n"
                "            the command;\n"
                "  gaps in milliseconds between firings of the 5 ms timer; message boxes are\n"
                "  answered at once from the engine's thread.\n",
                repeat);
    return 0;
}
