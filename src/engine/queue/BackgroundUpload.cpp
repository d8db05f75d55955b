#include "BackgroundUpload.h"

#include "common/Messages.h"
#include "engine/EngineContext.h"

namespace snapdeck {

BackgroundUpload::BackgroundUpload(EngineContext& context, QObject* engine, QString folder,
                                   TransportOptions options, QueueLimits limits)
    : context_(context), engine_(engine),
      queue_(std::move(folder), context.services.clock, limits) {
    worker_ = std::make_unique<UploadWorker>(
        queue_, std::move(options), [this](const QueueReport& report) {
            // From the worker's thread to the engine's, where the state lives.
            QMetaObject::invokeMethod(
                engine_, [this, report] { show(report); }, Qt::QueuedConnection);
        });
}

BackgroundUpload::~BackgroundUpload() {
    stop();
}

void BackgroundUpload::start() {
    const QStringList problems = queue_.open();
    if (!problems.isEmpty())
        problem_ = problems.last();
    worker_->start();
    refresh();
}

void BackgroundUpload::stop() {
    worker_->stop();
}

void BackgroundUpload::setEnabled(bool enabled) {
    worker_->setEnabled(enabled);
}

void BackgroundUpload::setLimits(QueueLimits limits) {
    queue_.setLimits(limits);
}

bool BackgroundUpload::queue(const QString& picturePath, const QString& remoteName,
                             const QString& publishAs, const UploadDestination& destination) {
    const UploadQueue::Added added = queue_.add(picturePath, remoteName, publishAs, destination);
    if (added.outcome == UploadQueue::Outcome::Queued) {
        refusalShown_ = false;
        problem_.clear();
        worker_->wake();
        refresh();
        return true;
    }
    problem_ = added.problem;
    refresh();
    if (!refusalShown_) {
        refusalShown_ = true;
        Message message;
        message.text = added.problem;
        message.icon = MessageIcon::Exclamation;
        context_.services.messages.show(message);
    }
    return false;
}

void BackgroundUpload::refresh() {
    show(worker_->report());
}

void BackgroundUpload::show(const QueueReport& report) {
    QueueState& shown = context_.state.queue;
    shown.length = report.length;
    shown.oldest = report.oldestQueued;
    shown.done = report.done;
    shown.failed = report.failed;
    shown.lastError = problem_.isEmpty() ? report.lastError : problem_;
    context_.publish();
}

} // namespace snapdeck
