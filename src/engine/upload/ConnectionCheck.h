#pragma once

#include "FtpSettings.h"
#include "UploadTransport.h"

#include <QCoreApplication>
#include <QString>

namespace snapdeck {

// What "Проверить соединение" found: whether pictures would reach the server, and the
// words that say what was found or what to change.
struct ConnectionReport {
    bool ok = false;
    QString text;
};

// Logs in to the server of "settings" and changes to its folder, as an upload does and
// within an upload's time limits, and sends nothing. Blocks: run it off the window's
// thread.
class ConnectionCheck {
    Q_DECLARE_TR_FUNCTIONS(ConnectionCheck)
public:
    static ConnectionReport run(const FtpSettings& settings, const TransportOptions& options);
};

} // namespace snapdeck
