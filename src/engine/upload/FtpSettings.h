#pragma once

#include <QString>
#include <cstdint>

namespace snapdeck {

// Where captured pictures are uploaded. Held in memory for the whole run and kept in
// "ftp.ini"; an empty host and the upload switched off until the user sets it up.
struct FtpSettings {
    QString FtpHost;
    std::int32_t FtpPort = 0; // 0: the protocol's default port
    QString FtpLogin;
    QString FtpPassword;
    std::int32_t FtpServiceType = 0; // position in the service list: Авто, FTP, GOPHER, HTTP
    QString FtpDirectory;            // folder to change to; empty means none
    QString FtpFileName;

    friend bool operator==(const FtpSettings&, const FtpSettings&) = default;
};

} // namespace snapdeck
