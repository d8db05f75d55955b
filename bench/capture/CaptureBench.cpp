// Capture pipeline: the program's own time per capture, for every image size, beside
// the floor measured in the same run. The simulated camera's shot (rendering and
// encoding the scene) is timed separately and left out: a real camera does that work.
// The engine runs on its own thread as in the program; a capture ends when the engine
// has done it and the window has painted its picture, decoded on a worker.
//
//   capture_bench [FOLDER]   pictures go to a temporary folder inside FOLDER (default:
//                            the current folder); put it on the disk the program uses.

#include "CaptureFloor.h"
#include "RenderTimedCamera.h"
#include "common/AtomicFile.h"
#include "support/BenchStats.h"
#include "support/BenchWindow.h"
#include "support/MachineInfo.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <array>
#include <cstdio>

using namespace snapdeck;
using namespace snapdeck::bench;

namespace {

constexpr std::array kImageSizes = {
    ImageSize::Sq2_640x480,   ImageSize::Sq2_1024x768,  ImageSize::Sq2_1280x960,
    ImageSize::Sq1_1600x1200, ImageSize::Sq1_2048x1536, ImageSize::Sq1_2288x1712,
    ImageSize::Sq1_2592x1944, ImageSize::Hq3264x2448,
};

struct SizeFigures {
    QSize pixels;
    QSize shown;
    Samples bytes; // the pictures' sizes, in the same container
    Samples shot, ours, done, floorWrite, floorDecode, floor, safeWrite, safeFloor, fullDecode,
        atomicWrite, boxDecode;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SizeFigures measure(ImageSize size, const QString& folder, int repeat) {
    SizeFigures f;
    SimulatedCameraConfig config;
    config.capacity = 100000; // never full: each picture leaves the card after the copy
    RenderTimedCamera camera(config);
    BenchWindow bench(camera, folder);
    bench.loadAndShow();
    bench.stopBatteryTick();
    bench.chooseImageSize(size);
    const QString picture = folder + QStringLiteral("/image.jpg");
    const QString floorFile = folder + QStringLiteral("/floor.jpg");
    const QString atomicFile = folder + QStringLiteral("/atomic.jpg");
    const QString safeFile = folder + QStringLiteral("/safe.jpg");

    for (int warmUp = 0; warmUp < 2; ++warmUp)
        bench.capture();
    f.pixels = QImageReader(picture).size();
    f.shown = bench.lastPictureBox().image().size();
    // Like image.jpg, the files of the comparisons are replaced, not created afresh.
    writeSafely(safeFile, readAll(picture));
    writeFileAtomically(atomicFile, readAll(picture));

    for (int i = 0; i < repeat; ++i) {
        const CaptureMoments moments = bench.capture();
        const double shot = camera.lastShotMs;
        f.shot.add(shot);
        f.ours.add(moments.end() - shot);
        f.done.add(moments.done - shot);

        const QByteArray bytes = readAll(picture);
        f.bytes.add(double(bytes.size()));
        const double write = timed([&] {
            if (!writeAndFlush(floorFile, bytes))
                std::fprintf(stderr, "capture_bench: cannot write %s\n", qPrintable(floorFile));
        });
        QFile::remove(floorFile);
        const double decode = timed([&] { decodeScaled(picture, f.shown); });
        f.floorWrite.add(write);
        f.floorDecode.add(decode);
        f.floor.add(write + decode);
        const double safe = timed([&] { writeSafely(safeFile, bytes); });
        f.safeWrite.add(safe);
        f.safeFloor.add(safe + decode);
        f.fullDecode.add(timed([&] { decodeFullThenScale(picture, f.shown); }));

        f.atomicWrite.add(timed([&] { writeFileAtomically(atomicFile, bytes); }));
        f.boxDecode.add(timed([&] { PictureBox::decodeToFit(picture, f.shown); }));
    }
    QFile::remove(atomicFile);
    QFile::remove(safeFile);
    for (const QString& text : bench.messages().texts())
        std::fprintf(stderr, "capture_bench: message box: %s\n", qPrintable(text));
    return f;
}

QString sizeText(QSize size) {
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir dir(parent + QStringLiteral("/capture-bench-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "capture_bench: cannot make a folder in %s\n", qPrintable(parent));
        return 1;
    }
    const int repeat = repetitions(11);
    printMachine(dir.path());
    std::printf("\nCapture pipeline per image size: the program's own time per capture, "
                "\"Захват\" clicked\nuntil the window has painted the picture (engine on its own "
                "thread), beside the floor\nmeasured in the same run. Medians of %d captures, "
                "milliseconds.\n\n",
                repeat);
    std::printf("%-10s %8s %8s | %7s %7s | %7s %6s | %7s %6s | %7s %7s %7s | %7s %7s %7s\n", "size",
                "bytes", "shot-out", "ours", "engine", "floor", "ratio", "safe fl", "ratio",
                "fsync'd", "safe wr", "decode", "atomic", "box dec", "rest");

    std::vector<SizeFigures> all;
    for (const ImageSize size : kImageSizes) {
        SizeFigures f = measure(size, dir.path(), repeat);
        const double ours = f.ours.median();
        const double rest = ours - f.atomicWrite.median() - f.boxDecode.median();
        std::printf("%-10s %8.0f %8.1f | %7.2f %7.2f | %7.2f %5.2fx | %7.2f %5.2fx | %7.2f %7.2f "
                    "%7.2f | %7.2f %7.2f %7.2f\n",
                    qPrintable(sizeText(f.pixels)), f.bytes.median(), f.shot.median(), ours,
                    f.done.median(), f.floor.median(), ours / f.floor.median(),
                    f.safeFloor.median(), ours / f.safeFloor.median(), f.floorWrite.median(),
                    f.safeWrite.median(), f.floorDecode.median(), f.atomicWrite.median(),
                    f.boxDecode.median(), rest);
        std::fflush(stdout);
        all.push_back(std::move(f));
    }
    std::printf(
        "\n  shot-out = the simulated camera's TakePicture (rendering, encoding), left out;\n"
        "  ours     = the whole capture minus that shot: \"Захват\" clicked until the engine\n"
        "             is done and the picture box has painted the new picture;\n"
        "  engine   = \"Захват\" clicked until the engine is done and the buttons are enabled\n"
        "             again, minus the shot: when the next capture can start;\n"
        "  floor    = fsync'd + decode: the bytes written with open/write/fsync/close, and the\n"
        "             JPEG decoded at the picture box's size (QImageReader::setScaledSize);\n"
        "  safe fl  = safe wr + decode, where safe wr writes the same plain way but as the data\n"
        "             safety rule wants: temporary file, fsync, rename over the previous file,\n"
        "             fsync of the folder;\n"
        "  atomic   = writeFileAtomically alone (the program's safe write);\n"
        "  box dec  = PictureBox::decodeToFit alone;\n"
        "  rest     = ours - atomic - box dec: camera calls, counters, status line, progress\n"
        "             bar, handing over between the threads, paint.\n"
        "  spread of ours and the floor (min..max):\n");
    for (const SizeFigures& f : all)
        std::printf("  %-10s ours %s, floor %s, safe floor %s\n", qPrintable(sizeText(f.pixels)),
                    qPrintable(f.ours.text()), qPrintable(f.floor.text()),
                    qPrintable(f.safeFloor.text()));

    std::printf("\nPicture box decode: at the box's size vs full size then scaled (medians, ms)\n");
    std::printf("%-10s %-9s %10s %12s %8s\n", "size", "box", "at box", "full+scale", "faster");
    for (const SizeFigures& f : all)
        std::printf("%-10s %-9s %10.2f %12.2f %7.1fx\n", qPrintable(sizeText(f.pixels)),
                    qPrintable(sizeText(f.shown)), f.floorDecode.median(), f.fullDecode.median(),
                    f.fullDecode.median() / f.floorDecode.median());
    return 0;
}
