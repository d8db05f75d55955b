#include "OurCycle.h"

#include "PtpIpCamera.h"
#include "camera/gphoto2/Gphoto2Camera.h"
#include "common/AtomicFile.h"
#include "support/BenchWindow.h"

#include <QFile>
#include <cstdio>

namespace snapdeck::bench {

namespace {

Gphoto2Options optionsFor(const PtpIpCamera& device) {
    Gphoto2Options options;
    options.port = device.portPath();
    return options;
}

} // namespace

OurCycleFigures measureOurCycle(PtpIpCamera& device, const QString& folder, int repeat) {
    OurCycleFigures f;
    Gphoto2Camera camera(optionsFor(device));
    f.start.add(timed([&] {
        camera.initialize();
        camera.open(camera.cameraCount() - 1);
    }));
    const QString path = folder + QStringLiteral("/ours.jpg");
    QByteArray picture;
    // The first shot reads the card's folders: it is left out.
    const qsizetype firstCapture = device.captureMoments().size() + 1;
    for (int i = 0; i <= repeat; ++i) {
        double capture = 0, select = 0, download = 0, write = 0, remove = 0;
        const double shot = timed([&] {
            capture = timed([&] { camera.takePicture(); });
            int number = 0;
            qint64 size = 0;
            select = timed([&] {
                number = camera.pictureCount();
                size = camera.pictureSize(number);
            });
            download = timed([&] { picture = camera.downloadPicture(number, {}); });
            write = timed([&] { writeFileAtomically(path, picture.constData(), size); });
            remove = timed([&] { camera.deletePicture(number); });
        });
        if (i == 0)
            continue;
        f.shot.add(shot);
        f.capture.add(capture);
        f.select.add(select);
        f.download.add(download);
        f.write.add(write);
        f.remove.add(remove);
    }
    f.cameraSide = gapsBetween(device.captureMoments(), firstCapture);
    f.pictureBytes = picture.size();

    // As the tool writes: over the previous file, without flushing.
    const QString plainPath = folder + QStringLiteral("/plain.jpg");
    for (int i = 0; i <= repeat; ++i) {
        const double plain = timed([&] {
            QFile file(plainPath);
            if (file.open(QIODevice::WriteOnly))
                file.write(picture);
        });
        if (i > 0)
            f.plainWrite.add(plain);
    }
    return f;
}

WindowCycleFigures measureWindowCycle(PtpIpCamera& device, const QString& folder, int repeat) {
    WindowCycleFigures f;
    Gphoto2Camera camera(optionsFor(device));
    BenchWindow bench(camera, folder);
    bench.loadAndShow();
    bench.stopBatteryTick();
    bench.messages().clear(); // this camera has no monitor and no preview
    // The first shot reads the card's folders: it is left out.
    bench.capture();
    const qsizetype firstCapture = device.captureMoments().size();
    const BenchClock::time_point runStart = BenchClock::now();
    for (int i = 0; i < repeat; ++i) {
        const BenchClock::time_point start = BenchClock::now();
        bench.clickCapture();
        if (!bench.waitUntil([&] { return bench.captureEnabled(); }))
            std::fprintf(stderr, "gphoto2_bench: a capture in the window did not end\n");
        f.shot.add(millisecondsSince(start));
    }
    bench.waitUntilDone();
    f.run = millisecondsSince(runStart) / repeat;
    // From the first timed shot's "initiate capture" on.
    f.cameraSide = gapsBetween(device.captureMoments(), firstCapture);
    for (const QString& text : bench.messages().texts())
        std::fprintf(stderr, "gphoto2_bench: message box: %s\n", qPrintable(text));
    return f;
}

} // namespace snapdeck::bench
