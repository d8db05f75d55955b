#pragma once

#include "QtPrinters.h"
#include "common/Messages.h"

#include <QStringList>
#include <functional>
#include <mutex>
#include <vector>

namespace snapdeck::test {

// Answers every message box at once and keeps what was shown. "answer" may pick the
// button (the first by default) or act while the box is "open". May be asked from the
// engine's thread.
class RecordingMessages : public MessagePresenter {
public:
    int show(const Message& message) override;

    QStringList texts() const;
    std::size_t count() const;
    void clear();

    std::vector<Message> shown;
    std::function<int(const Message&)> answer;

private:
    mutable std::mutex mutex_;
};

} // namespace snapdeck::test
