#include "StationOperator.h"

#include "camera/simulator/SimulatedCamera.h"
#include "common/Clock.h"

namespace snapdeck::soak {

namespace {

const QString kNotConnected = QStringLiteral("Камера не подключена!");
constexpr int kOk = 0;
constexpr int kStopTrying = 1;

} // namespace

StationOperator::StationOperator(SimulatedCamera& camera, ManualClock& clock)
    : camera_(camera), clock_(clock) {}

BoxKind StationOperator::kindOf(const Message& message) {
    const QString& text = message.text;
    if (text == kNotConnected)
        return BoxKind::CameraNotConnected;
    if (message.errorNumber == 61)
        return BoxKind::DiskFull;
    if (message.errorNumber == kDownloadErrorNumber)
        return BoxKind::DownloadFailed;
    if (text.startsWith(QStringLiteral("Сервер «")) &&
        text.contains(QStringLiteral("» не отвечает. Передача файла отменена.")))
        return BoxKind::FtpServerSilent;
    if (text.startsWith(QStringLiteral("Файл не отослан!")))
        return BoxKind::FtpFileNotSent;
    if (text == QStringLiteral("Проверьте свободное место на диске!"))
        return BoxKind::DiskSpaceWarning;
    return BoxKind::Unexpected;
}

int StationOperator::show(const Message& message) {
    ++boxesShown_;
    clock_.advance(1);
    const BoxKind kind = kindOf(message);
    ++boxes_[kind];
    if (kind == BoxKind::Unexpected && unexpected_.size() < 20)
        unexpected_.append(message.text);
    return kind == BoxKind::CameraNotConnected ? answerCameraNotConnected() : kOk;
}

int StationOperator::answerCameraNotConnected() {
    std::deque<bool>& stops = !stops_.empty() ? stops_ : silenceStops_;
    if (stops.empty())
        return kOk; // a camera silent for a moment that answers again
    const bool stop = stops.front();
    stops.pop_front();
    if (&stops == &stops_ && stops_.empty())
        camera_.setUnplugged(false); // back before the user answers the last box
    stopsChosen_ += stop ? 1 : 0;
    return stop ? kStopTrying : kOk;
}

void StationOperator::unplug(const Unplug& unplug) {
    stops_.insert(stops_.end(), unplug.stops.begin(), unplug.stops.end());
    camera_.setUnplugged(true);
}

// The capture asks after every third silent attempt.
void StationOperator::expectDownloadSilence(const DownloadSilence& silence) {
    for (int box = 0; box < silence.failures / 3; ++box)
        silenceStops_.push_back(box == 0 && silence.userStops);
}

int StationOperator::boxes(BoxKind kind) const {
    const auto found = boxes_.find(kind);
    return found == boxes_.end() ? 0 : found->second;
}

} // namespace snapdeck::soak
