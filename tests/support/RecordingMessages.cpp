#include "RecordingMessages.h"

namespace snapdeck::test {

int RecordingMessages::show(const Message& message) {
    {
        std::lock_guard lock(mutex_);
        shown.push_back(message);
    }
    return answer ? answer(message) : 0;
}

QStringList RecordingMessages::texts() const {
    std::lock_guard lock(mutex_);
    QStringList result;
    for (const Message& message : shown)
        result.append(message.text);
    return result;
}

std::size_t RecordingMessages::count() const {
    std::lock_guard lock(mutex_);
    return shown.size();
}

void RecordingMessages::clear() {
    std::lock_guard lock(mutex_);
    shown.clear();
}

} // namespace snapdeck::test
