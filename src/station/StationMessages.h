#pragma once

#include "common/Messages.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <mutex>
#include <optional>

namespace snapdeck {

class StationLog;

// The station's answer to every message box: nobody is there to click. Each message
// becomes a log line; a question with a way out ("Прекратить попытки") takes the way
// out at once, so that the engine never waits for a camera or a person, and the station
// retries by itself on its own schedule. The last message is kept for the status file.
class StationMessages final : public MessagePresenter {
public:
    StationMessages(StationLog& log, std::function<QDateTime()> now)
        : log_(log), now_(std::move(now)) {}

    int show(const Message& message) override;

    struct Said {
        QString text;
        QDateTime when;
    };
    std::optional<Said> last() const;

private:
    StationLog& log_;
    std::function<QDateTime()> now_;
    mutable std::mutex mutex_;
    std::optional<Said> last_;
};

} // namespace snapdeck
