#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>

namespace snapdeck {

// How long each step of an upload may wait, and whom TLS trusts. Nothing waits forever
// on a server that does not answer.
struct TransportOptions {
    std::chrono::milliseconds connectTimeout{15000}; // reaching the server, TLS included
    std::chrono::seconds responseTimeout{30};        // each answer, and a connection back
    std::chrono::seconds stallTimeout{30};           // a transfer that moves no byte
    // PEM file of the authorities that TLS certificates are checked against; empty: the
    // system's authorities.
    QString trustedAuthorities;
};

// The server and the account an upload logs in with. Port 0: the protocol's default.
struct UploadAccount {
    QString host;
    std::int32_t port = 0;
    QString login; // empty: anonymous
    QString password;
};

// Whether every text of the account may go into a request: none holds a control
// character, which could end a command and start one of its own.
bool fitsInRequests(const UploadAccount& account);

// How a step of an upload ended. Failed is the step's own failure, whatever its cause;
// the others are causes the user can act on, whichever step met them.
enum class StepResult {
    Done,
    Failed,
    LoginRefused, // the server refused the login or the password
};

// The steps of one upload over one connection: reach the server and log in, change to a
// folder, send a file. Each step reports how it ended; the caller words the message.
// An account, folder or name with a control character fails its step without a word
// to the server.
class UploadTransport {
public:
    virtual ~UploadTransport() = default;
    virtual StepResult connect() = 0;
    // On failure the upload goes on in the folder the server started in.
    virtual StepResult changeFolder(const QString& folder) = 0;
    virtual StepResult sendFile(const QString& localPath, const QString& remoteName) = 0;
};

// The transport of a supported service position (Авто, FTP, HTTP), or nothing when the
// network library cannot start a session.
std::unique_ptr<UploadTransport> openTransport(std::int32_t service, const UploadAccount& account,
                                               const TransportOptions& options);

} // namespace snapdeck
