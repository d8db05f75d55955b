#include "OffscreenNoise.h"

#include <QString>

namespace snapdeck::soak {

namespace {

QtMessageHandler previous = nullptr;

void filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg &&
        message == QStringLiteral("This plugin does not support propagateSizeHints()"))
        return;
    if (previous)
        previous(type, context, message);
}

} // namespace

OffscreenNoise::OffscreenNoise() {
    previous = qInstallMessageHandler(filter);
}

OffscreenNoise::~OffscreenNoise() {
    qInstallMessageHandler(previous);
    previous = nullptr;
}

} // namespace snapdeck::soak
