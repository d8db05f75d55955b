// Per-shot cycle on a real camera backend: our libgphoto2 backend against the tests'
// PTP/IP camera, beside Debian's gphoto2 tool on the same camera and the same pictures.
//
// The tool pays for starting a process, loading libgphoto2's drivers and opening the
// camera on every run, which a tethering program does once. So the tool is timed two
// ways: one run per shot (how scripts use it), and many shots in one "--shell" run,
// where the cost of a run without shots is taken off and the rest divided by the shots.
//
//   gphoto2_bench [FOLDER]

#include "PtpIpCamera.h"
#include "camera/Gphoto2Camera.h"
#include "common/AtomicFile.h"
#include "support/BenchStats.h"
#include "support/BenchWindow.h"
#include "support/MachineInfo.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using namespace snapdeck;
using namespace snapdeck::bench;

namespace {

struct CycleFigures {
    Samples start, shot, capture, select, download, write, plainWrite, remove;
    qint64 pictureBytes = 0;
    // The same cycle with the file written as the tool writes it, without flushing.
    double toolLikeShot() const { return shot.median() - write.median() + plainWrite.median(); }
};

// The camera calls of one capture, as Capture::CapturePicture makes them, with the
// file written the way the program writes it.
CycleFigures measureOurCycle(const QString& port, const QString& folder, int repeat) {
    CycleFigures f;
    Gphoto2Options options;
    options.port = port;
    Gphoto2Camera camera(options);
    std::int32_t cam = 0;
    f.start.add(timed([&] {
        camera.Initialize();
        camera.GetCameraCount();
        camera.OpenCamera(0);
    }));
    const QString path = folder + QStringLiteral("/ours.jpg");
    const QString plainPath = folder + QStringLiteral("/plain.jpg");
    for (int i = 0; i <= repeat; ++i) {
        double capture = 0, select = 0, download = 0, write = 0, plainWrite = 0, remove = 0;
        const double shotAndPlainWrite = timed([&] {
            capture = timed([&] { camera.TakePicture(cam); });
            std::int32_t size = 0;
            select = timed([&] {
                const std::int32_t count = camera.GetPictureCount(cam);
                camera.SelectedPicture(cam, count);
                size = camera.GetPictureSize(cam);
            });
            QByteArray buffer(size, Qt::Uninitialized);
            download = timed([&] { camera.DownloadPicture(cam, size, buffer); });
            f.pictureBytes = size;
            write = timed([&] { writeFileAtomically(path, buffer.constData(), size); });
            remove = timed([&] { camera.DeletePicture(0); });
            plainWrite = timed([&] {
                QFile plain(plainPath);
                if (plain.open(QIODevice::WriteOnly))
                    plain.write(buffer.constData(), size);
            });
        });
        const double shot = shotAndPlainWrite - plainWrite;
        if (i == 0)
            continue; // the first shot reads the card's folders
        f.shot.add(shot);
        f.capture.add(capture);
        f.select.add(select);
        f.download.add(download);
        f.write.add(write);
        f.plainWrite.add(plainWrite);
        f.remove.add(remove);
    }
    return f;
}

// "Захват" in the real window on the libgphoto2 backend: the camera calls above plus
// the exposure sent first, the picture box and the counters read back after.
Samples measureWindowCapture(const QString& port, const QString& folder, int repeat) {
    Gphoto2Options options;
    options.port = port;
    Gphoto2Camera camera(options);
    BenchWindow bench(camera, folder);
    bench.loadAndShow();
    bench.stopBatteryTick();
    bench.messages().texts.clear(); // this camera has no monitor and no preview
    Samples shots;
    for (int i = 0; i <= repeat; ++i) {
        const double shot = timed([&] {
            bench.window().cmdCapture->click();
            BenchWindow::settle();
        });
        if (i > 0)
            shots.add(shot);
    }
    for (const QString& text : bench.messages().texts)
        std::fprintf(stderr, "gphoto2_bench: message box: %s\n", qPrintable(text));
    return shots;
}

// One run of the gphoto2 tool; milliseconds from its start to its end, or -1.
double runTool(const QStringList& arguments, const QByteArray& input, const QString& folder) {
    QProcess tool;
    tool.setWorkingDirectory(folder);
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.setStandardErrorFile(folder + QStringLiteral("/gphoto2.log"));
    const BenchClock::time_point start = BenchClock::now();
    tool.start(QStringLiteral("gphoto2"), arguments);
    tool.write(input);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(120000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        std::fprintf(stderr, "gphoto2_bench: gphoto2 %s failed, see %s/gphoto2.log\n",
                     qPrintable(arguments.join(u' ')), qPrintable(folder));
        return -1;
    }
    return millisecondsSince(start);
}

struct ToolFigures {
    Samples perRun, shellEmpty, shellShots;
    int shellShotCount = 20;
    double perShotInShell() const {
        return (shellShots.median() - shellEmpty.median()) / shellShotCount;
    }
};

ToolFigures measureTool(const QString& port, const QString& folder, int repeat) {
    ToolFigures f;
    const QStringList portArgs{QStringLiteral("--port"), port};
    const QStringList single =
        portArgs + QStringList{QStringLiteral("--capture-image-and-download"),
                               QStringLiteral("--filename"), folder + QStringLiteral("/tool.jpg"),
                               QStringLiteral("--force-overwrite")};
    QByteArray shots;
    for (int i = 0; i < f.shellShotCount; ++i)
        shots += "capture-image-and-download\n";
    shots += "exit\n";
    const QStringList shell = portArgs + QStringList{QStringLiteral("--shell")};
    runTool(single, {}, folder); // the first run reads the drivers from the disk
    for (int i = 0; i < repeat; ++i) {
        f.perRun.add(runTool(single, {}, folder));
        f.shellEmpty.add(runTool(shell, "exit\n", folder));
        f.shellShots.add(runTool(shell, shots, folder));
    }
    return f;
}

void printFigures(const QString& port, int repeat, const CycleFigures& ours, const Samples& window,
                  const ToolFigures& tool) {
    std::printf("\nPer-shot cycle against the PTP/IP test camera (%s), pictures of %lld "
                "bytes,\nmedians of %d, milliseconds; the ratio is our time over the tool's "
                "(under 1: ours is faster):\n\n",
                qPrintable(port), static_cast<long long>(ours.pictureBytes), repeat);
    const double perRun = tool.perRun.median();
    const double perShell = tool.perShotInShell();
    std::printf("  %-56s %8.1f\n", "ours: camera calls + file flushed, one shot",
                ours.shot.median());
    std::printf("  %-56s %8.1f\n", "ours: the same, file written as the tool does (no flush)",
                ours.toolLikeShot());
    std::printf("  %-56s %8.1f\n", "ours: \"Захват\" in the window, one shot", window.median());
    std::printf("  %-56s %8.1f   ratio %5.2f (same work %5.2f)\n",
                "gphoto2 --capture-image-and-download, one run", perRun,
                ours.shot.median() / perRun, ours.toolLikeShot() / perRun);
    std::printf("  %-56s %8.1f   ratio %5.2f (same work %5.2f)\n",
                "gphoto2 --shell, per shot (a run's start taken off)", perShell,
                ours.shot.median() / perShell, ours.toolLikeShot() / perShell);
    std::printf("\n  one-time costs: our Initialize+GetCameraCount+OpenCamera %.1f; gphoto2 "
                "--shell run\n  without shots (process, drivers, camera opened and closed) "
                "%.1f\n",
                ours.start.median(), tool.shellEmpty.median());
    std::printf("  ours per step: TakePicture %.1f, count+select+size %.1f, DownloadPicture "
                "%.1f,\n  writeFileAtomically %.1f (plain write %.1f), DeletePicture %.1f\n",
                ours.capture.median(), ours.select.median(), ours.download.median(),
                ours.write.median(), ours.plainWrite.median(), ours.remove.median());
    std::printf("  spread: ours %s; window %s; tool per run %s;\n  shell with %d shots %s; "
                "without %s\n",
                qPrintable(ours.shot.text()), qPrintable(window.text()),
                qPrintable(tool.perRun.text()), tool.shellShotCount,
                qPrintable(tool.shellShots.text()), qPrintable(tool.shellEmpty.text()));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir dir(parent + QStringLiteral("/gphoto2-bench-XXXXXX"));
    QTemporaryDir home;
    if (!dir.isValid() || !home.isValid())
        return 1;
    // libgphoto2 keeps its settings in ~/.gphoto: ours and the tool's, in a home of their own.
    qputenv("HOME", QFile::encodeName(home.path()));
    printMachine(dir.path());
    const int repeat = repetitions(11);

    PtpIpCamera device;
    if (!device.ready()) {
        std::fprintf(stderr, "gphoto2_bench: the PTP/IP test camera did not start\n");
        return 1;
    }
    const QString port = device.portPath();
    // The test camera's own pictures, and pictures of an 8-megapixel compact's size.
    for (const qint64 bytes : {qint64(200 * 1024), qint64(3'100'000)}) {
        device.command(QStringLiteral("capturesize %1").arg(bytes));
        const CycleFigures ours = measureOurCycle(port, dir.path(), repeat);
        const Samples window = measureWindowCapture(port, dir.path(), repeat);
        const ToolFigures tool = measureTool(port, dir.path(), repeat);
        printFigures(port, repeat, ours, window, tool);
    }
    return 0;
}
