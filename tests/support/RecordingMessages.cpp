#include "RecordingMessages.h"

namespace snapdeck::test {

int RecordingMessages::show(const Message& message) {
    shown.push_back(message);
    return answer ? answer(message) : 0;
}

QStringList RecordingMessages::texts() const {
    QStringList result;
    for (const Message& message : shown)
        result.append(message.text);
    return result;
}

} // namespace snapdeck::test
