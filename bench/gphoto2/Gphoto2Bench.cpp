// Per-shot cycle on a real camera backend: our libgphoto2 backend against the tests'
// PTP/IP camera, beside Debian's gphoto2 tool on the same camera and the same pictures.
//
// The tool pays for starting a process, loading libgphoto2's drivers and opening the
// camera on every run, which a tethering program does once. So the tool is timed two
// ways: one run per shot (how scripts use it), and many shots in one "--shell" run.
// Inside a run, the camera's own clock says how long one shot takes: from one
// "initiate capture" it receives to the next, the same yardstick for both programs.
// Ours is timed as camera calls alone and as "Захват" in the real window, the engine on
// its own thread and the window showing every picture, pressed again as soon as the
// engine allows.
//
//   gphoto2_bench [FOLDER]

#include "OurCycle.h"
#include "PtpIpCamera.h"
#include "ToolCycle.h"
#include "camera/simulator/SimulatedScene.h"
#include "common/AppError.h"
#include "engine/capture/PictureFiles.h"
#include "support/BenchWindow.h"
#include "support/MachineInfo.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

using namespace snapdeck;
using namespace snapdeck::bench;

namespace {

void printFigures(qint64 bytes, int repeat, const OurCycleFigures& ours,
                  const WindowCycleFigures& window, const ToolCycleFigures& tool) {
    std::printf("\nPictures of %lld bytes; medians of %d, milliseconds. \"own clock\": timed "
                "by the\nprogram that takes the picture; \"camera's\": one \"initiate capture\" "
                "to the next.\n\n",
                static_cast<long long>(bytes), repeat);
    std::printf("  %-58s %9s %9s\n", "", "own clock", "camera's");
    auto line = [](const char* what, double own, double camera) {
        std::printf("  %-58s %9.1f %9.1f\n", what, own, camera);
    };
    line("ours: camera calls + file written and flushed", ours.shot.median(),
         ours.cameraSide.median());
    std::printf("  %-58s %9.1f %9s\n", "ours: the same, file written as the tool does",
                ours.toolLikeShot(), "-");
    line("ours: \"Захват\" in the window, pressed again when enabled", window.shot.median(),
         window.cameraSide.median());
    std::printf("  %-58s %9.1f %9s\n", "ours: the same, whole run until the last picture painted",
                window.run, "-");
    line("gphoto2 --shell, per shot", tool.perShotInShell(), tool.cameraSide.median());
    std::printf("  %-58s %9.1f %9s\n", "gphoto2 --capture-image-and-download, one run per shot",
                tool.perRun.median(), "-");

    const double toolShot = tool.cameraSide.median();
    std::printf(
        "\n  window shot cycle / gphoto2 --shell per shot (goal: within 1.3x): %.2fx by the "
        "camera's\n  clock, %.2fx by own clocks\n",
        window.cameraSide.median() / toolShot, window.shot.median() / tool.perShotInShell());
    std::printf("\n  ours / gphoto2 --shell per shot, camera's clock (goal: at most 1): calls + "
                "file %.2f,\n  window %.2f; by own clocks, same work (no flush) %.2f\n",
                ours.cameraSide.median() / toolShot, window.cameraSide.median() / toolShot,
                ours.toolLikeShot() / tool.perShotInShell());
    std::printf("  ours / gphoto2 one run per shot: calls + file %.2f, window %.2f\n",
                ours.shot.median() / tool.perRun.median(),
                window.shot.median() / tool.perRun.median());
    std::printf("  once per run: our initialize+cameraCount+open %.1f; a gphoto2 "
                "--shell run\n  without shots (process, drivers, camera opened and closed) "
                "%.1f\n",
                ours.start.median(), tool.shellEmpty.median());
    std::printf("  ours per step: takePicture %.1f, pictureCount+pictureSize %.1f, downloadPicture "
                "%.1f,\n  writeFileAtomically %.1f (plain write %.1f), deletePicture %.1f\n",
                ours.capture.median(), ours.select.median(), ours.download.median(),
                ours.write.median(), ours.plainWrite.median(), ours.remove.median());
    std::printf("  spread (camera's clock): ours %s; window %s; gphoto2 --shell %s\n",
                qPrintable(ours.cameraSide.text()), qPrintable(window.cameraSide.text()),
                qPrintable(tool.cameraSide.text()));
    std::fflush(stdout);
}

// What reading a picture costs: its header, as the engine checks every picture before
// it tells the window (on the shot's path), and its decode at the picture box's size
// (on a worker, beside the next shot).
struct ReadingFigures {
    Samples header, decode;
};

ReadingFigures measureReading(const QString& path, int repeat) {
    ReadingFigures f;
    for (int i = 0; i < repeat; ++i) {
        f.header.add(timed([&] {
            try {
                checkShowable(path); // the engine's own check
            } catch (const AppError&) {
                std::fprintf(stderr, "gphoto2_bench: %s has no picture\n", qPrintable(path));
            }
        }));
        f.decode.add(timed([&] { PictureBox::decodeToFit(path, QSize(560, 420)); }));
    }
    return f;
}

// The test camera's last picture beside a camera-like JPEG of about the same size (the
// simulated camera's 8-megapixel scene).
void printReading(const QString& folder, int repeat) {
    const QString cameraLike = folder + QStringLiteral("/scene.jpg");
    SceneLook look;
    look.size = QSize(3264, 2448);
    look.noiseSeed = 7;
    QFile scene(cameraLike);
    if (!scene.open(QIODevice::WriteOnly) || scene.write(renderSceneJpeg(look)) < 0)
        return;
    scene.close();
    const QString testPicture = folder + QStringLiteral("/image.jpg");
    const ReadingFigures test = measureReading(testPicture, repeat);
    const ReadingFigures real = measureReading(cameraLike, repeat);
    std::printf("\n  reading a picture, medians, ms:                   header check  box decode\n");
    std::printf("  the test camera's, %8lld bytes, mostly comments  %12.1f  %10.1f\n",
                static_cast<long long>(QFileInfo(testPicture).size()), test.header.median(),
                test.decode.median());
    std::printf("  a camera-like 3264x2448 JPEG, %8lld bytes        %12.1f  %10.1f\n",
                static_cast<long long>(QFileInfo(cameraLike).size()), real.header.median(),
                real.decode.median());
    std::printf("  (the engine checks the header on the shot's path; the window decodes on a "
                "worker)\n");
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
    std::printf("\nPer-shot cycle against the PTP/IP test camera at %s\n",
                qPrintable(device.portPath()));
    // The test camera's own pictures, and pictures of an 8-megapixel compact's size.
    for (const qint64 bytes : {qint64(200 * 1024), qint64(3'100'000)}) {
        device.command(QStringLiteral("capturesize %1").arg(bytes));
        const OurCycleFigures ours = measureOurCycle(device, dir.path(), repeat);
        const WindowCycleFigures window = measureWindowCycle(device, dir.path(), repeat);
        const ToolCycleFigures tool = measureToolCycle(device, dir.path(), repeat);
        printFigures(ours.pictureBytes, repeat, ours, window, tool);
        printReading(dir.path(), repeat);
    }
    return 0;
}
