#pragma once

#include "UploadQueue.h"
#include "UploadWorker.h"

#include <QObject>
#include <memory>

namespace snapdeck {

class EngineContext;

// Uploads that never hold up a shot: each stored picture goes into the durable queue,
// and a worker of its own drains it while uploads are switched on. What the queue and
// the worker do shows in the state's queue line; a picture that cannot be queued is said
// once (until queuing works again) and stays on disk.
class BackgroundUpload {
public:
    // "engine" lives on the engine's thread: the worker's news reach the state there.
    BackgroundUpload(EngineContext& context, QObject* engine, QString folder,
                     TransportOptions options, QueueLimits limits = {});
    ~BackgroundUpload();

    // Opens the queue (a backlog found there waits until uploads are switched on) and
    // starts the worker.
    void start();
    void stop();
    void setEnabled(bool enabled);
    void setLimits(QueueLimits limits);
    // Queues a stored picture; false when it could not be queued (said already).
    bool queue(const QString& picturePath, const QString& remoteName, const QString& publishAs,
               const UploadDestination& destination);
    // Takes the worker's latest report into the state.
    void refresh();

    UploadQueue& uploadQueue() { return queue_; }
    UploadWorker& worker() { return *worker_; }

private:
    void show(const QueueReport& report);

    EngineContext& context_;
    QObject* engine_;
    UploadQueue queue_;
    std::unique_ptr<UploadWorker> worker_;
    QString problem_;           // why the queue could not be used, shown until it can
    bool refusalShown_ = false; // a picture not queued was said; said again only after one was
};

} // namespace snapdeck
