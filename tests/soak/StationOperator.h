#pragma once

#include "FaultPlan.h"
#include "common/Messages.h"

#include <QStringList>
#include <deque>
#include <map>

namespace snapdeck {
class ManualClock;
class SimulatedCamera;
} // namespace snapdeck

namespace snapdeck::soak {

// The kinds of message box the faults of a soak bring up.
enum class BoxKind {
    CameraNotConnected, // "Камера не подключена!"
    DiskFull,           // the error box, number 61
    DownloadFailed,     // the error box with the camera's download error
    FtpServerSilent, // "Сервер ... не отвечает. Передача файла отменена."
    FtpFileNotSent, // "Файл не отослан!"
    DiskSpaceWarning, // "Проверьте свободное место на диске!", once, at setting up
    Unexpected, // anything else: no fault of the soak explains it
};

// The person at the station: answers every message box at once and unplugs and plugs
// the camera. While the camera is unplugged, each "Камера не подключена!" box counts
// one round of waiting; after the last round the camera is back before the user
// answers. At each box the user presses OK or, where the fault says so, "Прекратить
// попытки". Answering a box takes the user a second of the station's clock.
class StationOperator : public MessagePresenter {
public:
    StationOperator(SimulatedCamera& camera, ManualClock& clock);

    int show(const Message& message) override;

    void unplug(const Unplug& unplug);
    // Answers for the boxes of a camera that stops answering downloads only.
    void expectDownloadSilence(const DownloadSilence& silence);

    bool cameraUnplugged() const { return !stops_.empty(); }
    int boxes(BoxKind kind) const;
    int stopsChosen() const { return stopsChosen_; }
    int boxesShown() const { return boxesShown_; }
    const QStringList& unexpected() const { return unexpected_; }

    // The error number of the camera's download error the soak injects.
    static constexpr int kDownloadErrorNumber = 1006;

private:
    static BoxKind kindOf(const Message& message);
    int answerCameraNotConnected();

    SimulatedCamera& camera_;
    ManualClock& clock_;
    std::deque<bool> stops_;        // unplugged: one entry per box still to come
    std::deque<bool> silenceStops_; // boxes of a download silence
    std::map<BoxKind, int> boxes_;
    int boxesShown_ = 0;
    int stopsChosen_ = 0;
    QStringList unexpected_;
};

} // namespace snapdeck::soak
