#include "OurCycle.h"

#include "PtpIpCamera.h"
#include "camera/Gphoto2Camera.h"
#include "common/AtomicFile.h"
#include "support/BenchWindow.h"

#include <QFile>
#include <QPushButton>
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
    std::int32_t cam = 0;
    f.start.add(timed([&] {
        camera.Initialize();
        camera.GetCameraCount();
        camera.OpenCamera(0);
    }));
    const QString path = folder + QStringLiteral("/ours.jpg");
    QByteArray buffer;
    // The first shot reads the card's folders: it is left out.
    const qsizetype firstCapture = device.captureMoments().size() + 1;
    for (int i = 0; i <= repeat; ++i) {
        double capture = 0, select = 0, download = 0, write = 0, remove = 0;
        const double shot = timed([&] {
            capture = timed([&] { camera.TakePicture(cam); });
            std::int32_t size = 0;
            select = timed([&] {
                const std::int32_t count = camera.GetPictureCount(cam);
                camera.SelectedPicture(cam, count);
                size = camera.GetPictureSize(cam);
            });
            buffer = QByteArray(size, Qt::Uninitialized);
            download = timed([&] { camera.DownloadPicture(cam, size, buffer); });
            write = timed([&] { writeFileAtomically(path, buffer); });
            remove = timed([&] { camera.DeletePicture(0); });
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
    f.pictureBytes = buffer.size();

    // As the tool writes: over the previous file, without flushing.
    const QString plainPath = folder + QStringLiteral("/plain.jpg");
    for (int i = 0; i <= repeat; ++i) {
        const double plain = timed([&] {
            QFile file(plainPath);
            if (file.open(QIODevice::WriteOnly))
                file.write(buffer);
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
    bench.messages().texts.clear(); // this camera has no monitor and no preview
    const qsizetype firstCapture = device.captureMoments().size() + 1;
    for (int i = 0; i <= repeat; ++i) {
        const double shot = timed([&] {
            bench.window().cmdCapture->click();
            BenchWindow::settle();
        });
        if (i > 0)
            f.shot.add(shot);
    }
    f.cameraSide = gapsBetween(device.captureMoments(), firstCapture);
    for (const QString& text : bench.messages().texts)
        std::fprintf(stderr, "gphoto2_bench: message box: %s\n", qPrintable(text));
    return f;
}

} // namespace snapdeck::bench
