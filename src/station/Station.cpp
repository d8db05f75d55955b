#include "Station.h"

#include "ServiceNotifier.h"
#include "StationConfig.h"
#include "StationLog.h"
#include "StationMessages.h"
#include "StationRunner.h"
#include "camera/Camera.h"
#include "common/Clock.h"
#include "engine/Engine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace snapdeck {

namespace {

// A signal only writes a byte here; the main thread reads it in its event loop.
int signalPipe[2] = {-1, -1};

extern "C" void noteSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// The most a stop may take: a capture still in the camera is left on the card (the
// next start copies it) rather than kept waiting for.
constexpr int kStopWithinMs = 9000;

} // namespace

int runStation(const StationConfig& config, std::unique_ptr<Camera> camera) {
    if (!QDir().mkpath(config.pictures.folder)) {
        std::fprintf(stderr, "snapdeck: the pictures folder %s cannot be made\n",
                     qPrintable(config.pictures.folder));
        return 1;
    }
    SystemClock clock;
    StationLog log(config.pictures.folder + QStringLiteral("/station.log"), clock);
    StationMessages messages(log, [&clock] { return clock.now(); });
    ServiceNotifier notifier;

    auto engine = std::make_unique<Engine>(
        EngineServices{*camera, messages, clock, WorkFolder(config.pictures.folder), QLocale::c()});
    auto runner = std::make_unique<StationRunner>(config, *engine, clock, log, messages, notifier);
    QThread thread;
    thread.setObjectName(QStringLiteral("engine"));
    engine->moveToThread(&thread);
    runner->moveToThread(&thread);
    runner->finished = [](int status) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [status] { QCoreApplication::exit(status); },
            Qt::QueuedConnection);
    };
    thread.start();

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        std::signal(SIGTERM, noteSignal);
        std::signal(SIGINT, noteSignal);
    }
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    const auto endNow = [&log](int status) {
        log.write(QStringLiteral("stopped while the camera still worked; the next start "
                                 "copies what it left on the card"));
        std::fflush(nullptr);
        std::_Exit(status);
    };
    bool stopping = false;
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, [&] {
        char byte = 0;
        while (::read(signalPipe[0], &byte, 1) > 0) {
        }
        if (stopping)
            return;
        stopping = true;
        log.write(QStringLiteral("told to stop"));
        QMetaObject::invokeMethod(
            runner.get(), [&runner] { runner->stop(); }, Qt::QueuedConnection);
        // A round stuck in a camera call does not hold the stop up: the state is on disk
        // after every change, and so is the queue.
        QTimer::singleShot(kStopWithinMs, [&endNow] { endNow(0); });
    });

    QMetaObject::invokeMethod(
        runner.get(), [&runner] { runner->start(); }, Qt::QueuedConnection);
    notifier.ready();
    const int status = QCoreApplication::exec();

    // The engine and the runner end on their own thread, then the thread; a camera call
    // or an upload that holds them up does not hold the station's end up.
    QMetaObject::invokeMethod(
        runner.get(),
        [&] {
            runner.reset();
            engine.reset();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (!thread.wait(QDeadlineTimer(kStopWithinMs)))
        endNow(status);
    return status;
}

} // namespace snapdeck
