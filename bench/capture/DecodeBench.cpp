// The picture box's decoding of one HQ picture (3264x2448) from the simulated camera,
// in one of three ways, to time or to count instructions with callgrind:
//
//   decode_bench box  [N]   decoded at the box's size (560x420), as the picture box does
//   decode_bench full [N]   decoded at full size, then scaled to the box
//   decode_bench dc   [N]   decoded at 1/8 (408x306): the decoder's cheapest scale
//
//   valgrind --tool=callgrind build-bench/bench/decode_bench box 1

#include "camera/simulator/SimulatedScene.h"
#include "support/BenchStats.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace snapdeck;
using namespace snapdeck::bench;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const char* mode = argc > 1 ? argv[1] : "box";
    const int repeat = argc > 2 ? std::max(1, std::atoi(argv[2])) : repetitions(11);
    const QSize box(560, 420);

    SceneLook look;
    look.size = QSize(3264, 2448);
    look.caption = QStringLiteral("2026-12-07 12:00:00  №0001");
    look.noiseSeed = 7;
    QByteArray jpeg = renderSceneJpeg(look);

    Samples samples;
    QSize decoded;
    for (int i = 0; i < repeat; ++i) {
        samples.add(timed([&] {
            QBuffer source(&jpeg);
            QImageReader reader(&source, "jpeg");
            if (std::strcmp(mode, "full") == 0) {
                decoded =
                    reader.read().scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation).size();
                return;
            }
            reader.setScaledSize(std::strcmp(mode, "dc") == 0 ? QSize(408, 306) : box);
            decoded = reader.read().size();
        }));
    }
    std::printf("%s: %lld-byte JPEG 3264x2448 -> %dx%d in %s, %d runs\n", mode,
                static_cast<long long>(jpeg.size()), decoded.width(), decoded.height(),
                qPrintable(samples.text()), repeat);
    return 0;
}
