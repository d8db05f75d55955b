#include "UploadWorker.h"

#include "UploadQueue.h"
#include "engine/upload/PictureSender.h"

#include <QFileInfo>

namespace snapdeck {

namespace {

// A failure in words for the log and the faces' last-error line.
QString describe(const SendOutcome& outcome, const QueueEntry& entry) {
    const QString host = entry.destination.account.host;
    switch (outcome.result) {
    case StepResult::LoginRefused:
        return UploadWorker::tr("Сервер «%1» отказал во входе (%2)").arg(host, entry.remoteName);
    case StepResult::OutOfTime:
        return UploadWorker::tr("Передача %1 на «%2» не уложилась во время")
            .arg(entry.remoteName, host);
    case StepResult::Done:
    case StepResult::Failed:
        break;
    }
    switch (outcome.stage) {
    case SendOutcome::Stage::Opening:
        return UploadWorker::tr("Подключение к интернету отсутствует");
    case SendOutcome::Stage::Connecting:
        return UploadWorker::tr("Сервер «%1» не отвечает").arg(host);
    case SendOutcome::Stage::ChangingFolder:
    case SendOutcome::Stage::Sending:
    case SendOutcome::Stage::Done:
        break;
    }
    return UploadWorker::tr("Файл %1 не отослан на «%2»").arg(entry.remoteName, host);
}

} // namespace

UploadWorker::UploadWorker(UploadQueue& queue, TransportOptions options, Report report)
    : queue_(queue), options_(std::move(options)), onReport_(std::move(report)) {
    // A stop cuts a running transfer off: the entry stays and is sent again later.
    options_.cancelled = [this] { return stopping_.load(); };
}

UploadWorker::~UploadWorker() {
    stop();
}

void UploadWorker::start() {
    if (thread_.joinable())
        return;
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
}

void UploadWorker::setOptions(TransportOptions options) {
    options.cancelled = [this] { return stopping_.load(); };
    std::lock_guard lock(mutex_);
    options_ = std::move(options);
}

void UploadWorker::setBackoff(Backoff backoff) {
    std::lock_guard lock(mutex_);
    backoff_ = backoff;
}

void UploadWorker::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void UploadWorker::setEnabled(bool enabled) {
    {
        std::lock_guard lock(mutex_);
        enabled_ = enabled;
    }
    changed_.notify_all();
}

void UploadWorker::wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    changed_.notify_all();
    publish();
}

QueueReport UploadWorker::report() const {
    std::lock_guard lock(mutex_);
    QueueReport report = report_;
    report.length = queue_.length();
    report.oldestQueued = queue_.oldestQueued();
    return report;
}

void UploadWorker::publish() {
    if (onReport_)
        onReport_(report());
}

// Waits for work: an entry queued while enabled, then the end of a failure's backoff. A
// new picture does not cut a backoff short: the server has not come back because a
// picture was taken.
void UploadWorker::run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (!enabled_ || queue_.length() == 0) {
            changed_.wait(lock, [this] {
                return stopping_ || (enabled_ && (woken_ || queue_.length() > 0));
            });
            woken_ = false;
            continue;
        }
        if (std::chrono::steady_clock::now() < nextTry_) {
            changed_.wait_until(lock, nextTry_, [this] { return stopping_.load(); });
            continue;
        }
        lock.unlock();
        sendOldest();
        lock.lock();
    }
}

bool UploadWorker::sendOldest() {
    const std::optional<QueueEntry> entry = queue_.oldest();
    if (!entry)
        return false;
    const QString picture = queue_.pathOf(entry->pictureFile);
    if (!QFileInfo::exists(picture)) {
        queue_.setAside(*entry);
        {
            std::lock_guard lock(mutex_);
            report_.lastError = UploadWorker::tr("Снимок %1 пропал из очереди: запись отложена")
                                    .arg(entry->remoteName);
        }
        publish();
        return false;
    }
    TransportOptions options;
    {
        std::lock_guard lock(mutex_);
        options = options_;
    }
    const SendOutcome outcome =
        sendPicture(entry->destination, picture, queue_.namesToSend(*entry), options);
    if (stopping_)
        return false; // cut off: the entry stays for the next start
    {
        std::lock_guard lock(mutex_);
        if (outcome.sent()) {
            backoff_.succeeded();
            nextTry_ = {};
            ++report_.done;
            report_.lastError.clear();
        } else {
            nextTry_ = std::chrono::steady_clock::now() + backoff_.afterFailure();
            ++report_.failed;
            report_.lastError = describe(outcome, *entry);
        }
    }
    if (outcome.sent())
        queue_.remove(*entry);
    publish();
    return outcome.sent();
}

} // namespace snapdeck
