// A program of the queue tests, so that a test can kill an upload with SIGKILL: opens
// the upload queue in the folder it is given and drains it with an UploadWorker on the
// worker's own thread, as the program does. Exits 0 once the queue is empty, 1 at the
// first failed try, 2 when called wrongly.
#include "common/Clock.h"
#include "engine/queue/UploadQueue.h"
#include "engine/queue/UploadWorker.h"

#include <QString>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>

using namespace snapdeck;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s QUEUE-FOLDER\n", argv[0]);
        return 2;
    }
    SystemClock clock;
    UploadQueue queue(QString::fromLocal8Bit(argv[1]), clock);
    for (const QString& problem : queue.open())
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());

    TransportOptions options;
    options.connectTimeout = std::chrono::seconds(5);
    options.responseTimeout = std::chrono::seconds(5);
    options.stallTimeout = std::chrono::seconds(10);
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<int> exitCode;
    UploadWorker worker(queue, options, [&](const QueueReport& report) {
        std::lock_guard lock(mutex);
        if (report.failed > 0)
            exitCode = 1;
        else if (report.length == 0)
            exitCode = 0;
        ended.notify_all();
    });
    worker.start();
    worker.setEnabled(true);
    std::unique_lock lock(mutex);
    ended.wait(lock, [&] { return exitCode.has_value() || queue.length() == 0; });
    const int code = exitCode.value_or(0);
    lock.unlock();
    worker.stop();
    std::printf("left %d\n", queue.length());
    return code;
}
