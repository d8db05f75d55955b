#include "StationRunner.h"

#include "PictureNamer.h"
#include "ServiceNotifier.h"
#include "StationLog.h"
#include "StationMessages.h"
#include "common/AppError.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "common/FreeSpace.h"
#include "engine/Engine.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <malloc.h>

namespace snapdeck {

namespace {

constexpr qint64 kCleanupEveryMs = 3600 * 1000;
const QString kStateFile = QStringLiteral("station-state.json");
const QString kStatusFile = QStringLiteral("status.json");
// Unchanged, the status is written again after this long: its time shows the station alive.
constexpr qint64 kStatusHeartbeatMs = 60 * 1000;

QString megabytes(qint64 bytes) {
    return QString::number(bytes / (1024 * 1024)) + QStringLiteral(" MB");
}

} // namespace

StationRunner::StationRunner(const StationConfig& config, Engine& engine, const Clock& clock,
                             StationLog& log, StationMessages& messages, ServiceNotifier& notifier)
    : config_(config), engine_(engine), clock_(clock), log_(log), messages_(messages),
      notifier_(notifier), plan_(config.schedule, clock.now()) {
    freeBytes = [this] { return freeBytesOn(config_.pictures.folder); };
    timer_.setParent(this); // goes with the runner to the engine's thread
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &StationRunner::round);
}

StationRunner::~StationRunner() = default;

QString StationRunner::statePath() const {
    return config_.pictures.folder + u'/' + kStateFile;
}

QString StationRunner::statusPath() const {
    return config_.pictures.folder + u'/' + kStatusFile;
}

void StationRunner::start(bool timed) {
    timed_ = timed;
    removeLeftoverWrites();
    QString damaged;
    if (const std::optional<StationState> kept = StationState::read(statePath(), &damaged))
        state_ = *kept;
    else if (!damaged.isEmpty())
        log_.write(damaged);
    // Without a start moment, the grid is anchored where the station first started, and
    // stays there across restarts.
    if (!state_.anchor)
        state_.anchor = clock_.now();
    plan_ = StationPlan(config_.schedule, *state_.anchor);
    plan_.begin(clock_, state_.lastGridPoint);
    if (plan_.missedSinceBegin() > 0)
        log_.write(QStringLiteral("shots missed while the station was down: %1")
                       .arg(plan_.missedSinceBegin()));
    missedLogged_ = plan_.missedSinceBegin();
    saveState();

    engine_.setObserver(*this);
    engine_.setPreviewsWanted(false);
    engine_.setKeepOnCard(config_.camera.keepOnCard);
    if (config_.upload.destination) {
        engine_.setQueueDestination(*config_.upload.destination, config_.upload.latestName);
        engine_.backgroundUpload().setLimits(config_.upload.queueLimits);
        engine_.setBackgroundUpload(true);
        engine_.setUploadEnabled(true);
    }
    engine_.startUploads();
    log_.write(QStringLiteral("station started: every %1 s from %2, pictures in %3")
                   .arg(config_.schedule.intervalSeconds)
                   .arg(plan_.nextShot(clock_).toString(Qt::ISODate), config_.pictures.folder));
    round();
}

void StationRunner::round() {
    if (ended_)
        return;
    // Only this thread feeds the watchdog: a station stuck in a round is restarted.
    notifier_.watchdog();
    if (!cameraReady_)
        findCamera();
    if (cameraReady_ && !state_.onCard.isEmpty() && diskHasRoom())
        copyLeftOnCard();

    if (const std::optional<StationPlan::Due> due = plan_.due(clock_)) {
        switch (due->action) {
        case StationPlan::Action::Ended:
            state_.lastGridPoint = due->index;
            return finish(0, QStringLiteral("plan ended: past the stop moment"));
        case StationPlan::Action::OffWindow:
            break;
        case StationPlan::Action::Shoot:
            if (config_.schedule.count > 0 && state_.stored >= config_.schedule.count)
                return finish(0,
                              QStringLiteral("plan ended: %1 pictures stored").arg(state_.stored));
            if (!cameraReady_) {
                plan_.takeMissed(1);
                log_.write(QStringLiteral("shot missed (%1): no camera")
                               .arg(due->moment.toString(Qt::ISODate)));
            } else if (!diskHasRoom()) {
                plan_.takeMissed(1);
                log_.write(QStringLiteral("shot missed (%1): disk low")
                               .arg(due->moment.toString(Qt::ISODate)));
            } else {
                // Handled once the shot starts: a kill during it never fires it again.
                state_.lastGridPoint = due->index;
                shoot(*due);
            }
            break;
        }
        state_.lastGridPoint = due->index;
        saveState();
    }
    if (plan_.missedSinceBegin() > missedLogged_) {
        log_.write(QStringLiteral("shots missed so far: %1").arg(plan_.missedSinceBegin()));
        missedLogged_ = plan_.missedSinceBegin();
    }
    if (config_.schedule.count > 0 && state_.stored >= config_.schedule.count)
        return finish(0, QStringLiteral("plan ended: %1 pictures stored").arg(state_.stored));
    deleteOldPictures();
    writeStatus();
    // The allocator keeps the pages a round freed (a backlog sent, a picture copied)
    // inside its heap, behind whatever was allocated after them; over months of rounds
    // that reads as growth. Handing them back costs far less than a shot.
    ::malloc_trim(0);
    scheduleNextRound();
}

void StationRunner::findCamera() {
    if (clock_.monotonicMs() < nextCameraTryMs_)
        return;
    if (engine_.connectCamera()) {
        cameraReady_ = true;
        cameraBackoff_.succeeded();
        cameraState_ = QStringLiteral("ready");
        log_.write(QStringLiteral("camera found: %1").arg(engineState_.model));
        applySettings();
        return;
    }
    cameraState_ = QStringLiteral("searching");
    const std::chrono::milliseconds wait = cameraBackoff_.afterFailure();
    log_.write(QStringLiteral("camera not found; next try in %1 s").arg(wait.count() / 1000));
    nextCameraTryMs_ = clock_.monotonicMs() + wait.count();
}

// The configured settings over what start-up chose: exposure first, so that aperture
// and shutter are taken in manual mode.
void StationRunner::applySettings() {
    const StationConfig::Camera& c = config_.camera;
    const std::pair<SettingList, std::optional<int>> choices[] = {
        {SettingList::ImageSize, c.imageSize},
        {SettingList::ExposureMode, c.exposureMode},
        {SettingList::Aperture, c.aperture},
        {SettingList::Shutter, c.shutter},
        {SettingList::WhiteBalance, c.whiteBalance},
        {SettingList::Flash, c.flash},
        {SettingList::Iso, c.iso},
        {SettingList::Monitor, c.monitor},
        {SettingList::FocusMode, c.focusMode}};
    for (const auto& [list, position] : choices)
        if (position)
            engine_.chooseSetting(list, *position);
    if (c.zoom)
        engine_.moveZoom(*c.zoom);
    if (c.focusPosition)
        engine_.moveFocus(*c.focusPosition);
}

void StationRunner::copyLeftOnCard() {
    // Shots the camera took but did not name before a fault are named first, while the
    // card still lists them where they were taken: the copies below take pictures off it.
    for (StationState::OnCard& note : state_.onCard) {
        if (!note.cardName.isEmpty())
            continue;
        switch (engine_.nameShotOnCard(note.picturesBefore, note.cardName)) {
        case Capture::CardStep::Done:
            break;
        case Capture::CardStep::NotOnCard:
            log_.write(QStringLiteral("the shot for %1 never reached the card").arg(note.fileName));
            note.fileName.clear();
            break;
        case Capture::CardStep::Failed:
            return lostWhileOnCard();
        }
    }
    state_.onCard.removeIf(
        [](const StationState::OnCard& note) { return note.fileName.isEmpty(); });
    saveState();

    const QList<StationState::OnCard> notes = state_.onCard;
    for (const StationState::OnCard& note : notes) {
        if (note.stored) {
            if (engine_.removeFromCard(note.cardName) == Capture::CardStep::Failed)
                return lostWhileOnCard();
            state_.onCard.removeOne(note);
            log_.write(QStringLiteral("%1 (%2) left the card").arg(note.cardName, note.fileName));
            saveState();
            continue;
        }
        switch (engine_.copyFromCard(note.cardName, note.fileName)) {
        case Capture::CardStep::Done:
            state_.onCard.removeOne(note);
            ++state_.stored;
            lastPicture_ = note.fileName;
            log_.write(QStringLiteral("copied %1 from the card as %2 (left there by a fault)")
                           .arg(note.cardName, note.fileName));
            keepNoteIfStillOnCard(note.cardName, note.fileName);
            break;
        case Capture::CardStep::NotOnCard:
            state_.onCard.removeOne(note);
            // Stored and taken off the card just before a kill: it counts now.
            if (QFileInfo::exists(config_.pictures.folder + u'/' + note.fileName)) {
                ++state_.stored;
                log_.write(
                    QStringLiteral("%1 was stored before the station stopped").arg(note.fileName));
            } else {
                log_.write(QStringLiteral("%1 is no longer on the card").arg(note.cardName));
            }
            break;
        case Capture::CardStep::Failed:
            return lostWhileOnCard();
        }
        saveState();
    }
}

// A stored picture whose card copy was to go while the camera was lost may still be on
// the card: noted, so that the next good round deletes it.
void StationRunner::keepNoteIfStillOnCard(const QString& cardName, const QString& fileName) {
    if (config_.camera.keepOnCard || !engine_.cameraLost())
        return;
    StationState::OnCard note;
    note.cardName = cardName;
    note.fileName = fileName;
    note.stored = true;
    state_.onCard.append(note);
}

void StationRunner::lostWhileOnCard() {
    saveState();
    if (engine_.cameraLost())
        cameraWasLost();
}

void StationRunner::cameraWasLost() {
    cameraReady_ = false;
    cameraState_ = QStringLiteral("lost");
    cameraBackoff_.succeeded();
    nextCameraTryMs_ = clock_.monotonicMs() + cameraBackoff_.afterFailure().count();
    log_.write(QStringLiteral("camera lost; looking for it again"));
}

// A kill in the middle of one of the station's writes leaves its temporary file beside
// the file it was to replace, which is whole: the leftover goes.
void StationRunner::removeLeftoverWrites() {
    QDir folder(config_.pictures.folder);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        const QString target = atomicWriteTarget(name);
        const bool ours = target.endsWith(QStringLiteral(".jpg")) || target == kStateFile ||
                          target == kStatusFile;
        if (ours && folder.remove(name))
            log_.write(
                QStringLiteral("removed %1, left by a write the station did not finish").arg(name));
    }
}

bool StationRunner::diskHasRoom() {
    const qint64 free = freeBytes();
    if (free < 0) {
        // Not knowing is no reason to stop shooting: a disk that is really full still
        // shows as a failed write, and the picture stays on the card.
        if (!freeSpaceUnknownSaid_) {
            freeSpaceUnknownSaid_ = true;
            log_.write(tr("Свободное место на диске папки %1 узнать не удалось; снимки "
                          "сохраняются без этой проверки")
                           .arg(config_.pictures.folder));
        }
        diskLow_ = false;
        return true;
    }
    const bool room = free >= config_.pictures.minFreeBytes;
    if (room == diskLow_) {
        diskLow_ = !room;
        log_.write(room ? QStringLiteral("disk has room again: %1 free").arg(megabytes(free))
                        : QStringLiteral("disk low: %1 free, less than %2; storing stops")
                              .arg(megabytes(free), megabytes(config_.pictures.minFreeBytes)));
    }
    return room;
}

void StationRunner::shoot(const StationPlan::Due& due) {
    ++state_.counter; // kept before the shot: a name is never given twice
    const QDir folder(config_.pictures.folder);
    const QString name = stationPictureName(
        config_.pictures.name, due.moment, state_.counter,
        [&folder](const QString& candidate) { return folder.exists(candidate); });
    saveState();
    log_.write(QStringLiteral("shot due %1 as %2").arg(due.moment.toString(Qt::ISODate), name));
    ++taken_;
    // Noted before the shot and again once the camera names the picture: whatever
    // stops this capture, the next good round finds the picture on the card.
    CaptureRequest request;
    request.fileName = name;
    request.beforeShot = [this, &name](int picturesBefore) {
        StationState::OnCard note;
        note.fileName = name;
        note.picturesBefore = picturesBefore;
        state_.onCard.append(note);
        saveState();
    };
    request.shotOnCard = [this, &name](const QString& cardName) {
        for (StationState::OnCard& note : state_.onCard)
            if (note.fileName == name)
                note.cardName = cardName;
        saveState();
    };
    const bool stored = engine_.capture(request);
    QString cardName;
    for (const StationState::OnCard& note : std::as_const(state_.onCard))
        if (note.fileName == name)
            cardName = note.cardName;
    if (stored) {
        ++state_.stored;
        state_.onCard.removeIf(
            [&name](const StationState::OnCard& note) { return note.fileName == name; });
        if (!cardName.isEmpty())
            keepNoteIfStillOnCard(cardName, name);
        saveState();
        lastPicture_ = name;
        log_.write(QStringLiteral("stored %1").arg(name));
    } else {
        log_.write(QStringLiteral("shot %1 not stored").arg(name));
    }
    if (engine_.cameraLost())
        cameraWasLost();
}

// Once an hour: pictures older than keep_days go, but only once they have been uploaded
// (nothing waits for them in the queue).
void StationRunner::deleteOldPictures() {
    if (config_.pictures.keepDays <= 0)
        return;
    const qint64 now = clock_.monotonicMs();
    if (lastCleanupMs_ >= 0 && now - lastCleanupMs_ < kCleanupEveryMs)
        return;
    lastCleanupMs_ = now;
    const QDateTime oldest = clock_.now().addDays(-config_.pictures.keepDays);
    const QDir folder(config_.pictures.folder);
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.jpg")}, QDir::Files)) {
        if (file.lastModified() >= oldest)
            continue;
        if (engine_.backgroundUpload().uploadQueue().holds(file.fileName()))
            continue;
        if (QFile::remove(file.absoluteFilePath()))
            log_.write(QStringLiteral("deleted %1: older than %2 days")
                           .arg(file.fileName())
                           .arg(config_.pictures.keepDays));
    }
}

void StationRunner::saveState() {
    try {
        state_.write(statePath());
    } catch (const AppError& error) {
        log_.write(QStringLiteral("state not saved: %1").arg(error.description()));
    }
}

void StationRunner::writeStatus(bool always) {
    const QueueState& queue = engineState_.queue;
    const QDateTime nextShot = ended_ ? QDateTime() : plan_.nextShot(clock_);
    QJsonObject status{
        {QStringLiteral("state"), ended_          ? QStringLiteral("ended")
                                  : !cameraReady_ ? QStringLiteral("waiting for the camera")
                                  : diskLow_      ? QStringLiteral("disk low")
                                                  : QStringLiteral("running")},
        {QStringLiteral("camera"),
         QJsonObject{{QStringLiteral("model"), cameraReady_ ? engineState_.model : QString()},
                     {QStringLiteral("state"), cameraState_}}},
        {QStringLiteral("pictures"),
         QJsonObject{{QStringLiteral("taken"), taken_},
                     {QStringLiteral("stored"), state_.stored},
                     {QStringLiteral("uploaded"), queue.done},
                     {QStringLiteral("missed"), plan_.missedSinceBegin()},
                     {QStringLiteral("on_card"), state_.onCard.size()}}},
        {QStringLiteral("queue"),
         QJsonObject{{QStringLiteral("length"), queue.length},
                     {QStringLiteral("oldest"),
                      queue.oldest ? queue.oldest->toString(Qt::ISODate) : QJsonValue()}}},
        {QStringLiteral("last_picture"),
         lastPicture_.isEmpty() ? QJsonValue() : QJsonValue(lastPicture_)},
        {QStringLiteral("next_shot"),
         nextShot.isValid() ? QJsonValue(nextShot.toString(Qt::ISODate)) : QJsonValue()}};
    const std::optional<StationMessages::Said> said = messages_.last();
    const QString uploadError = queue.lastError;
    if (said || !uploadError.isEmpty())
        status.insert(QStringLiteral("last_error"),
                      QJsonObject{{QStringLiteral("message"), said ? said->text : uploadError},
                                  {QStringLiteral("time"),
                                   said ? said->when.toString(Qt::ISODate) : QJsonValue()}});
    const QByteArray content = QJsonDocument(status).toJson(QJsonDocument::Compact);
    const qint64 nowMs = clock_.monotonicMs();
    if (!always && content == statusWritten_ && nowMs - statusWrittenMs_ < kStatusHeartbeatMs)
        return;
    statusWritten_ = content;
    statusWrittenMs_ = nowMs;
    status.insert(QStringLiteral("time"), clock_.now().toString(Qt::ISODate));
    try {
        writeFileAtomically(statusPath(), QJsonDocument(status).toJson(QJsonDocument::Indented));
    } catch (const AppError& error) {
        log_.write(QStringLiteral("status not written: %1").arg(error.description()));
    }
}

void StationRunner::scheduleNextRound() {
    if (!timed_ || ended_)
        return;
    // At the grid point itself when it is near, else a round a second for the watchdog,
    // the camera and the status.
    timer_.start(int(std::clamp<qint64>(plan_.millisecondsToNext(clock_), 10, 1000)));
}

void StationRunner::stop() {
    finish(0, QStringLiteral("stopped"));
}

void StationRunner::finish(int status, const QString& why) {
    if (ended_)
        return;
    ended_ = true;
    exitStatus_ = status;
    timer_.stop();
    notifier_.stopping();
    log_.write(why);
    saveState();
    engine_.unload();
    writeStatus(true);
    if (finished)
        finished(status);
}

void StationRunner::stateChanged(const EngineState& state) {
    engineState_ = state;
}

void StationRunner::pictureStored(const QString& path) {
    lastPicture_ = QFileInfo(path).fileName();
}

} // namespace snapdeck
