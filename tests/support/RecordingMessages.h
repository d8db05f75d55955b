#pragma once

#include "QtPrinters.h"
#include "common/Messages.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace snapdeck::test {

// Answers every message box at once and keeps what was shown. "answer" may pick the
// button (the first by default) or act while the box is "open".
class RecordingMessages : public MessagePresenter {
public:
    int show(const Message& message) override;

    QStringList texts() const;
    void clear() { shown.clear(); }

    std::vector<Message> shown;
    std::function<int(const Message&)> answer;
};

} // namespace snapdeck::test
