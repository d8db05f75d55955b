// Live view on the simulated camera, through the program as it runs: the engine on its
// own thread, the window on the main thread, the frames carried between them by
// ObserverOnThread. Prints, per frame size, the frames per second produced and painted,
// the processor time per frame on our side (all of the process but the camera's own
// rendering and encoding, which a real camera does on its own processor), and the
// latency from a frame handed over by the camera to the frame painted; beside them the
// floor, the JPEG decode of the same frames alone.
//
//   live_view_bench [seconds per size, default 5]

#include "camera/simulator/SimulatedCamera.h"
#include "common/Clock.h"
#include "common/Messages.h"
#include "common/WorkFolder.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/ObserverOnThread.h"
#include "engine/live/LiveFrame.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <mutex>
#include <sys/resource.h>
#include <vector>

using namespace snapdeck;

namespace {

using Steady = std::chrono::steady_clock;

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double msBetween(Steady::time_point from, Steady::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double percentile(std::vector<double> values, double share) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

// The simulated camera, keeping apart the processor time it spends making each frame
// and the moment it hands each one over.
class TimedCamera final : public SimulatedCamera {
public:
    using SimulatedCamera::SimulatedCamera;

    QByteArray liveFrame() override {
        const double cpuBefore = threadCpuMs();
        QByteArray frame = SimulatedCamera::liveFrame();
        const double cpu = threadCpuMs() - cpuBefore;
        std::lock_guard lock(mutex);
        cameraCpuMs += cpu;
        handedOver.push_back(Steady::now());
        return frame;
    }

    std::mutex mutex;
    double cameraCpuMs = 0;
    std::vector<Steady::time_point> handedOver; // frame n at [n - 1]
};

class PrintingMessages final : public MessagePresenter {
public:
    int show(const Message& message) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
        return 0;
    }
};

// The window thread as the program runs it: asleep in its event loop until told.
void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void waitForEngine(EngineHost& host, QObject* context) {
    QEventLoop loop;
    host.whenDone(context, [&loop] { loop.quit(); });
    loop.exec();
}

struct Figures {
    double produced = 0; // frames per second
    double painted = 0;
    double ourCpuPerFrameMs = 0;
    double ourCoreShare = 0; // of one core
    double windowCpuPerFrameMs = 0;
    double cameraCpuPerFrameMs = 0;
    double latencyMedianMs = 0;
    double latencyP95Ms = 0;
    double latencyMaxMs = 0;
    double floorDecodeMs = 0;      // JPEG decode alone, per frame
    double decodeAndMeasureMs = 0; // what the engine does per frame
    int frameBytes = 0;
    QSize paintedAt;
};

Figures measure(QSize frameSize, int seconds) {
    SimulatedCameraConfig config;
    config.liveViewSize = frameSize;
    TimedCamera camera(config);
    PrintingMessages messages;
    SystemClock clock;
    QTemporaryDir dir;
    EngineHost host(
        std::make_unique<Engine>(EngineServices{camera, messages, clock, WorkFolder(dir.path()),
                                                QLocale(QLocale::Russian)}),
        EngineHost::Threading::OwnThread);
    MainWindow window(host, messages, {}, WorkFolder(dir.path()));
    ObserverOnThread relay(window, &window);
    host.post([&relay](Engine& e) { e.setObserver(relay); });
    // A window of a common laptop screen's size: the picture box about 640 pixels wide.
    window.resize(1366, 900);
    window.show();
    window.load();
    waitForEngine(host, &window);

    auto* box = window.findChild<PictureBox*>(QStringLiteral("lastPictureBox"));
    std::vector<std::pair<quint64, Steady::time_point>> paints;
    QObject::connect(box, &PictureBox::livePainted, &window,
                     [&paints](quint64 number) { paints.emplace_back(number, Steady::now()); });

    host.post([](Engine& e) { e.setLiveView(true); });
    runEventsFor(1000); // warm up
    paints.clear();
    std::size_t firstFrame = 0;
    double cameraCpuBefore = 0;
    {
        std::lock_guard lock(camera.mutex);
        firstFrame = camera.handedOver.size();
        cameraCpuBefore = camera.cameraCpuMs;
    }
    const double processBefore = processCpuMs();
    const double windowBefore = threadCpuMs();
    const Steady::time_point start = Steady::now();
    runEventsFor(seconds * 1000);
    const double wallMs = msBetween(start, Steady::now());
    const double windowCpu = threadCpuMs() - windowBefore;
    const double processCpu = processCpuMs() - processBefore;
    std::vector<Steady::time_point> handedOver;
    double cameraCpu = 0;
    {
        std::lock_guard lock(camera.mutex);
        handedOver = camera.handedOver;
        cameraCpu = camera.cameraCpuMs - cameraCpuBefore;
    }
    host.post([](Engine& e) { e.setLiveView(false); });
    waitForEngine(host, &window);

    Figures figures;
    figures.paintedAt = box->size();
    const double produced = double(handedOver.size() - firstFrame);
    figures.produced = produced * 1000 / wallMs;
    figures.painted = double(paints.size()) * 1000 / wallMs;
    figures.cameraCpuPerFrameMs = cameraCpu / produced;
    figures.ourCpuPerFrameMs = (processCpu - cameraCpu) / produced;
    figures.ourCoreShare = (processCpu - cameraCpu) / wallMs;
    figures.windowCpuPerFrameMs = windowCpu / produced;
    std::vector<double> latencies;
    for (const auto& [number, paintedAt] : paints)
        if (number >= 1 && number <= handedOver.size())
            latencies.push_back(msBetween(handedOver[number - 1], paintedAt));
    figures.latencyMedianMs = percentile(latencies, 0.5);
    figures.latencyP95Ms = percentile(latencies, 0.95);
    figures.latencyMaxMs = percentile(latencies, 1.0);

    // The floor: the same camera's frames, decoded and nothing else.
    std::vector<QByteArray> frames;
    for (int frame = 0; frame < 50; ++frame)
        frames.push_back(camera.liveFrame());
    figures.frameBytes = int(frames.front().size());
    // Counted for the whole process: Qt converts decoded lines on its pooled threads.
    double cpuBefore = processCpuMs();
    for (const QByteArray& jpeg : frames) {
        QImage image;
        image.loadFromData(jpeg);
    }
    figures.floorDecodeMs = (processCpuMs() - cpuBefore) / double(frames.size());
    cpuBefore = processCpuMs();
    for (const QByteArray& jpeg : frames)
        decodeLiveFrame(jpeg);
    figures.decodeAndMeasureMs = (processCpuMs() - cpuBefore) / double(frames.size());
    window.hide();
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    std::printf("| frames (painted at) | produced fps | painted fps | our CPU per frame | our "
                "share of one core "
                "| window thread | latency median / p95 / max | floor: JPEG decode | "
                "decode + histogram | camera's render (left out) |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const QSize size : {QSize(640, 480), QSize(1024, 768)}) {
        const Figures f = measure(size, seconds);
        std::printf("| %dx%d, %d KB (%dx%d) | %.1f | %.1f | %.2f ms | %.1f %% | %.2f ms | "
                    "%.1f / %.1f / %.1f ms (%.2f frames) | %.2f ms (%.1f %% at 25 fps) | %.2f ms | "
                    "%.1f ms |\n",
                    size.width(), size.height(), f.frameBytes / 1024, f.paintedAt.width(),
                    f.paintedAt.height(), f.produced, f.painted, f.ourCpuPerFrameMs,
                    f.ourCoreShare * 100, f.windowCpuPerFrameMs, f.latencyMedianMs, f.latencyP95Ms,
                    f.latencyMaxMs, f.latencyMedianMs / 40.0, f.floorDecodeMs,
                    f.floorDecodeMs * 25 / 10, f.decodeAndMeasureMs, f.cameraCpuPerFrameMs);
        std::fflush(stdout);
    }
    return 0;
}
