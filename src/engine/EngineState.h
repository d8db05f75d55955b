#pragma once

#include "engine/settings/SettingList.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

namespace snapdeck {

// A setting list as the user sees it: the entry selected (-1 while the list is still
// empty, before start-up fills it) and whether it can be changed.
struct ListState {
    int selected = -1;
    bool enabled = true;
    friend bool operator==(const ListState&, const ListState&) = default;
};

// The caption above a lens slider: "Увеличение - 120/240"; "—" for a position the
// camera has not told yet.
inline QString zoomCaption(const QString& position) {
    return QCoreApplication::translate("LensControl", "Увеличение - %1").arg(position);
}
inline QString focusCaption(const QString& position) {
    return QCoreApplication::translate("LensControl", "Фокусировка - %1").arg(position);
}

// A lens slider: its position, the caption above it and whether it can be moved.
struct LensState {
    int position = 0;
    QString caption;
    bool enabled = true;
    friend bool operator==(const LensState&, const LensState&) = default;
};

// The battery as the frame "Камера" shows it.
struct BatteryState {
    enum class Shown { Nothing, Level, NoConnection, Error };
    Shown shown = Shown::Nothing;
    int level = 0;       // Shown::Level: 0..100
    int errorNumber = 0; // Shown::Error
    friend bool operator==(const BatteryState&, const BatteryState&) = default;
};

// How a capture treats its picture.
struct CaptureOptions {
    bool bufferMode = true;        // "Запись в буфер"
    bool keepOnCard = false;       // "Сохранять на флэшке камеры"
    bool keepOnCardEnabled = true; // locked while "Запись в буфер" is ticked by the user
    bool overwrite = true; // "Переписать пред. кадр на диске": always "image.jpg"
    friend bool operator==(const CaptureOptions&, const CaptureOptions&) = default;
};

// The copy of a picture from the camera, on the scale of its byte count.
struct TransferState {
    qint64 maximum = 100;
    qint64 value = 0;
    friend bool operator==(const TransferState&, const TransferState&) = default;
};

// Interval shooting as the frame "Интервальная съемка" shows it.
struct IntervalState {
    bool on = false; // "Включить интервальную съемку"
    QString line = QCoreApplication::translate("IntervalShooting", "Следующий снимок - через");
    bool lineVisible = true;
    friend bool operator==(const IntervalState&, const IntervalState&) = default;
};

// The upload queue as the frame "FTP" shows it.
struct QueueState {
    int length = 0;
    std::optional<QDateTime> oldest; // when the oldest waiting picture was queued
    QString lastError;               // empty once an upload succeeded after it
    int done = 0;
    int failed = 0;
    friend bool operator==(const QueueState&, const QueueState&) = default;
};

// Live view as "Живой просмотр" shows it.
struct LiveViewState {
    bool available = false; // the camera streams frames: the box can be ticked
    // Why it cannot, for the box's tooltip.
    QString unavailableReason = QCoreApplication::translate("LiveView", "Камера не подключена");
    bool on = false;     // ticked
    bool paused = false; // a capture, then the picture taken for a moment
    friend bool operator==(const LiveViewState&, const LiveViewState&) = default;
};

// Everything a face shows of the engine. A plain value: the engine hands out copies,
// so a face on another thread reads it without locks.
struct EngineState {
    QString model = QStringLiteral("—");  // a dash until the camera names itself
    std::optional<int> picturesOnCard;    // nothing until the camera was first asked
    std::optional<int> picturesRemaining; // likewise
    BatteryState battery;

    std::array<ListState, kSettingListCount> lists;
    // The monitor list's colour once a mode was sent: green while the camera's screen is
    // on, white while it is off; nothing before.
    std::optional<bool> monitorListLit;
    LensState zoom{80, zoomCaption(QStringLiteral("—")), true};
    LensState focus{1, focusCaption(QStringLiteral("—")), false};

    CaptureOptions capture;
    QString captureStatus; // "Экспозиция...", "Запись файла"; empty: hidden
    TransferState transfer;
    bool busy = false; // a capture or a preview is under way
    LiveViewState liveView;

    bool uploadEnabled = false;    // "Включить" in the frame "FTP"
    bool backgroundUpload = false; // "Отправлять в фоне": captures only queue
    QString uploadStatus;          // empty: hidden
    QueueState queue;

    IntervalState interval;

    ListState& list(SettingList which) { return lists[static_cast<size_t>(which)]; }
    const ListState& list(SettingList which) const { return lists[static_cast<size_t>(which)]; }
    friend bool operator==(const EngineState&, const EngineState&) = default;
};

} // namespace snapdeck
