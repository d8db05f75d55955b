#include "Engine.h"

#include "common/Messages.h"

namespace snapdeck {

namespace {
constexpr int kTickMs = 1000;

EngineServices showingThrough(EngineServices services, MessagePresenter& messages) {
    return EngineServices{services.camera, messages, services.clock, std::move(services.folder),
                          std::move(services.locale)};
}

// The upload queue's folder, beside the pictures.
const QString kQueueFolderName = QStringLiteral(".snapdeck-queue");
} // namespace

Engine::Engine(EngineServices services, FtpSettings ftp)
    : lacks_(services.messages), context_(showingThrough(std::move(services), lacks_)),
      monitor_(context_), battery_(context_, monitor_), preview_(context_),
      settings_(context_, preview_), lens_(context_, settings_, preview_),
      capture_(context_, monitor_, settings_, lens_), upload_(context_, std::move(ftp)),
      background_(context_, this, context_.services.folder.path(kQueueFolderName),
                  upload_.transportOptions()),
      interval_(context_,
                [this] { return captureWithLiveViewPaused([this] { return capture_.take(); }); }),
      session_(context_, lacks_, settings_, capture_, preview_, interval_), live_(context_, this),
      batteryTimer_(this), intervalTimer_(this) {
    capture_.setUpload([this](const QString& fileName) { upload_.send(fileName); });
    capture_.setQueueUpload([this](const QString& path, const QString& fileName) {
        if (queueDestination_) {
            background_.queue(path, fileName, queuePublishAs_, *queueDestination_);
            return;
        }
        // Settings that cannot send at all are said now, as the upload at once says them,
        // not found out by a worker that would try them again and again.
        if (upload_.refuses(fileName))
            return;
        const FtpSettings& ftp = upload_.settings();
        // A fixed name that is a path (ftp.ini may hold one) would fail every try.
        const QString publishAs = isPlainRemoteName(ftp.FtpFileName) ? ftp.FtpFileName : QString();
        if (const std::optional<UploadDestination> destination = destinationOf(ftp))
            background_.queue(path, fileName, publishAs, *destination);
    });
    batteryTimer_.setInterval(kTickMs);
    connect(&batteryTimer_, &QTimer::timeout, this, &Engine::pollBattery);
    // Even spacing, so that the countdown shows every second.
    intervalTimer_.setTimerType(Qt::PreciseTimer);
    intervalTimer_.setInterval(kTickMs);
    connect(&intervalTimer_, &QTimer::timeout, this, &Engine::intervalTick);
}

Engine::~Engine() = default;

void Engine::setObserver(EngineObserver& observer) {
    context_.observer = &observer;
}

void Engine::load() {
    // A backlog left by an earlier run waits until uploads are switched on.
    background_.start();
    // The battery is read once start-up is over: the program may end during it.
    const bool started = session_.load();
    live_.updateAvailability(session_.ready());
    if (started)
        batteryTimer_.start();
}

bool Engine::connectCamera() {
    session_.load(CameraSession::StartUp::Station);
    live_.updateAvailability(session_.ready());
    return session_.ready();
}

void Engine::startUploads() {
    background_.start();
}

void Engine::unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    batteryTimer_.stop();
    intervalTimer_.stop();
    live_.stop();
    background_.stop();
    session_.unload();
}

void Engine::takePreview() {
    preview_.take();
}

void Engine::setLiveView(bool on) {
    live_.setOn(on);
}

void Engine::liveViewTick() {
    live_.tick();
}

template <typename Take> bool Engine::captureWithLiveViewPaused(Take take) {
    live_.pauseForCapture();
    const bool stored = take();
    live_.resumeAfterCapture(stored);
    return stored;
}

bool Engine::capture() {
    return captureWithLiveViewPaused([this] { return capture_.take(); });
}

bool Engine::capture(const CaptureRequest& request) {
    return captureWithLiveViewPaused([&] { return capture_.take(request); });
}

Capture::CardStep Engine::copyFromCard(const QString& cardName, const QString& fileName) {
    return capture_.copyFromCard(cardName, fileName);
}

Capture::CardStep Engine::nameShotOnCard(int picturesBefore, QString& cardName) {
    return capture_.nameShotOnCard(picturesBefore, cardName);
}

Capture::CardStep Engine::removeFromCard(const QString& cardName) {
    return capture_.removeFromCard(cardName);
}

void Engine::chooseSetting(SettingList list, int position) {
    if (context_.state.list(list).selected == position)
        return;
    settings_.choose(list, position);
}

void Engine::moveZoom(int position) {
    lens_.moveZoom(position);
}

void Engine::moveFocus(int position) {
    lens_.moveFocus(position);
}

void Engine::setBufferMode(bool on) {
    CaptureOptions& options = context_.state.capture;
    options.bufferMode = on;
    if (on)
        options.keepOnCard = false;
    options.keepOnCardEnabled = !on;
    context_.publish();
}

void Engine::setKeepOnCard(bool keep) {
    // Locked by "Запись в буфер": a face that still offers the box must not keep
    // pictures on the card behind the buffer mode's back.
    if (!context_.state.capture.keepOnCardEnabled)
        return;
    context_.state.capture.keepOnCard = keep;
    context_.publish();
}

void Engine::setOverwrite(bool overwrite) {
    CaptureOptions& options = context_.state.capture;
    if (options.overwrite == overwrite)
        return;
    options.overwrite = overwrite;
    context_.publish();
    if (overwrite)
        return;
    Message warning;
    warning.text = tr("Проверьте свободное место на диске!");
    warning.title = tr("Предупреждение");
    warning.icon = MessageIcon::Exclamation;
    context_.services.messages.show(warning);
}

void Engine::setSchedule(const ScheduleForm& form) {
    interval_.setForm(form);
}

void Engine::setIntervalShooting(bool on) {
    if (on) {
        interval_.switchOn();
        if (interval_.isOn())
            intervalTimer_.start();
        else
            intervalTimer_.stop();
    } else {
        interval_.switchOff();
        intervalTimer_.stop();
    }
}

void Engine::setUploadEnabled(bool enabled) {
    context_.state.uploadEnabled = enabled;
    context_.publish();
    background_.setEnabled(enabled);
}

void Engine::setBackgroundUpload(bool background) {
    context_.state.backgroundUpload = background;
    context_.publish();
}

void Engine::setQueueDestination(const UploadDestination& destination, const QString& publishAs) {
    queueDestination_ = destination;
    queuePublishAs_ = publishAs;
}

void Engine::setFtpSettings(const FtpSettings& settings) {
    upload_.setSettings(settings);
}

void Engine::idle() {
    if (!unloaded_)
        preview_.takeIfLeftOver();
}

void Engine::pollBattery() {
    battery_.poll();
}

void Engine::intervalTick() {
    interval_.tick();
    if (!interval_.isOn())
        intervalTimer_.stop();
}

} // namespace snapdeck
