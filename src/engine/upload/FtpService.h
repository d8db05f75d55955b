#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <cstdint>

namespace snapdeck {

// The entries of the service list in the FTP settings window; FtpServiceType holds the
// position of the chosen one, -1 when none is chosen.
enum FtpService : std::int32_t {
    NoFtpService = -1,
    AutoService = 0, // FTP, with TLS when the server offers it
    FtpOnlyService = 1,
    GopherService = 2,
    HttpService = 3,
};

// As the list shows them, in the user's language (the protocols' names stay).
inline QStringList ftpServiceNames() {
    return {QCoreApplication::translate("FtpSettings", "Авто"), QStringLiteral("FTP"),
            QStringLiteral("GOPHER"), QStringLiteral("HTTP")};
}

} // namespace snapdeck
