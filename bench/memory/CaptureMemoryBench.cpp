// Peak memory of an HQ capture (3264x2448) in the real window: how far the resident
// size rises above where it stood when the picture was taken, beside the picture's
// size.
//
// The simulated camera renders the scene at full size (a 32 MB image) in our process
// for every shot, work a real camera does on its own processor. So the baseline is
// taken when the camera has finished: the memory it freed is handed back to the
// system (malloc_trim), and the kernel's peak counter starts over from there. The
// figure is then the program's own: the download buffer, the file write, the picture
// box's decode (on a worker thread) and the paint. The whole-capture peak, the camera's
// render included, is printed too. The engine runs on its own thread as in the program.
//
//   capture_memory_bench [FOLDER]

#include "capture/RenderTimedCamera.h"
#include "support/BenchStats.h"
#include "support/BenchWindow.h"
#include "support/MachineInfo.h"
#include "support/ProcessMemory.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <malloc.h>

using namespace snapdeck;
using namespace snapdeck::bench;
using namespace snapdeck::test;

namespace {

double mebibytes(double kib) {
    return kib / 1024.0;
}

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir dir(parent + QStringLiteral("/memory-bench-XXXXXX"));
    if (!dir.isValid())
        return 1;
    printMachine(dir.path());

    SimulatedCameraConfig config;
    config.capacity = 100000;
    RenderTimedCamera camera(config);
    const qint64 startKiB = residentKiB();
    BenchWindow bench(camera, dir.path());
    bench.loadAndShow();
    bench.stopBatteryTick();
    bench.chooseImageSize(ImageSize::Hq3264x2448);
    const qint64 shownKiB = residentKiB();

    const QString picturePath = dir.path() + QStringLiteral("/image.jpg");
    const int repeat = repetitions(11);
    // One capture; how far the resident size rose above "baselineKiB", which is taken
    // just before it (and moved by the camera's afterShot when that is set).
    auto captureRise = [&](qint64& baselineKiB) {
        malloc_trim(0);
        baselineKiB = residentKiB();
        resetPeakResident();
        bench.capture();
        return double(peakResidentKiB() - baselineKiB);
    };

    // The program's own part: the baseline moves to the moment the shot is on the card
    // (on the engine's thread, while the window's thread waits).
    std::atomic<qint64> baselineKiB = 0;
    camera.afterShot = [&] {
        malloc_trim(0);
        baselineKiB = residentKiB();
        if (!resetPeakResident())
            std::fprintf(stderr, "capture_memory_bench: cannot reset the peak counter\n");
    };
    // The first capture allocates what every later one reuses (fonts, the decoder's
    // tables, the picture box's image); it is printed apart from the steady state.
    Samples added, picture;
    double firstKiB = 0;
    for (int i = 0; i <= repeat; ++i) {
        qint64 ignored = 0;
        captureRise(ignored);
        const double rise = double(peakResidentKiB() - baselineKiB);
        if (i == 0) {
            firstKiB = rise;
            continue;
        }
        added.add(rise);
        picture.add(double(QFileInfo(picturePath).size()) / 1024.0);
    }
    camera.afterShot = nullptr;

    // The whole capture, the camera's render included.
    Samples whole;
    for (int i = 0; i < repeat; ++i) {
        qint64 wholeBaselineKiB = 0;
        whole.add(captureRise(wholeBaselineKiB));
    }

    for (const QString& text : bench.messages().texts())
        std::fprintf(stderr, "capture_memory_bench: message box: %s\n", qPrintable(text));

    std::printf("\nPeak memory of an HQ capture (resident size, median of %d captures)\n", repeat);
    std::printf("  process at start %.1f MiB, window shown %.1f MiB\n", mebibytes(startKiB),
                mebibytes(shownKiB));
    std::printf("  picture size                 %8.2f MiB\n", mebibytes(picture.median()));
    std::printf("  added by the program         %8.2f MiB (max %.2f; first capture %.2f)\n",
                mebibytes(added.median()), mebibytes(added.max()), mebibytes(firstKiB));
    std::printf("  added / picture size         %8.2f   (goal: under 3)\n",
                added.median() / picture.median());
    std::printf("  whole capture, the simulated camera's render included: %.2f MiB\n",
                mebibytes(whole.median()));
    return 0;
}
