#pragma once

#include "Backoff.h"
#include "engine/upload/UploadTransport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace snapdeck {

class UploadQueue;

// What the queue and its worker have done, for the faces.
struct QueueReport {
    int length = 0;
    std::optional<QDateTime> oldestQueued;
    QString lastError; // empty once an upload succeeded after it
    int done = 0;
    int failed = 0;
    friend bool operator==(const QueueReport&, const QueueReport&) = default;
};

// Drains an UploadQueue on a thread of its own: the oldest entry first, one at a time,
// while it is enabled. A failure waits its backoff (1 s doubling to 5 min) before the
// next try, a success tries the next entry at once, so a backlog drains at full speed
// once the server is back; shooting never waits for it. An entry whose picture is gone
// is set aside. "report" hears every change, on the worker's thread.
class UploadWorker {
    Q_DECLARE_TR_FUNCTIONS(UploadWorker)

public:
    using Report = std::function<void(const QueueReport&)>;

    UploadWorker(UploadQueue& queue, TransportOptions options, Report report);
    // Stops the thread; a running upload is cut off at once.
    ~UploadWorker();
    UploadWorker(const UploadWorker&) = delete;
    UploadWorker& operator=(const UploadWorker&) = delete;

    void start();
    // The time limits of the uploads from the next one on.
    void setOptions(TransportOptions options);
    // The waits after failures, from the next failure on.
    void setBackoff(Backoff backoff);
    // Drains only while enabled; a backlog found at start waits for it.
    void setEnabled(bool enabled);
    // A new entry is queued: try it now unless a failure's backoff is running.
    void wake();
    void stop();

    // One try of the oldest entry, now, on the caller's thread; false when there was
    // nothing to send or it failed. For tests and for the station's own rounds.
    bool sendOldest();
    QueueReport report() const;

private:
    void run();
    void publish();

    UploadQueue& queue_;
    TransportOptions options_;
    Report onReport_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    bool enabled_ = false;
    bool woken_ = false;
    Backoff backoff_;
    std::chrono::steady_clock::time_point nextTry_{};
    QueueReport report_;
};

} // namespace snapdeck
