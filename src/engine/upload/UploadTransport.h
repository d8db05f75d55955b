#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace snapdeck {

// When an upload must have ended.
using UploadDeadline = std::chrono::steady_clock::time_point;

// How long each step of an upload and the whole of it may take, and whom TLS trusts.
// Nothing waits forever on a server that does not answer, nor on one that answers
// each step just in time.
struct TransportOptions {
    std::chrono::milliseconds connectTimeout{15000}; // reaching the server, TLS included
    std::chrono::seconds responseTimeout{30};        // each answer, and a connection back
    std::chrono::seconds stallTimeout{30};           // a transfer that moves no byte
    // The whole upload, from connecting to the last answer: this long, plus the time
    // the picture takes at slowestRate.
    std::chrono::milliseconds uploadTimeBase{60000};
    std::int64_t slowestRate = 64 * 1024; // bytes a second
    // PEM file of the authorities that TLS certificates are checked against; empty: the
    // system's authorities.
    QString trustedAuthorities;
    // True ends a running upload at once (the program is stopping); empty: never.
    std::function<bool()> cancelled;
};

// The server and the account an upload logs in with. Port 0: the protocol's default.
struct UploadAccount {
    QString host;
    std::int32_t port = 0;
    QString login; // empty: anonymous
    QString password;
    friend bool operator==(const UploadAccount&, const UploadAccount&) = default;
};

// The deadline of an upload of a picture of "bytes" that starts now.
UploadDeadline uploadDeadline(const TransportOptions& options, std::int64_t bytes);

// Whether every text of the account may go into a request: none holds a control
// character, which could end a command and start one of its own.
bool fitsInRequests(const UploadAccount& account);

// How a step of an upload ended. Failed is the step's own failure, whatever its cause;
// the others are causes the user can act on, whichever step met them.
enum class StepResult {
    Done,
    Failed,
    LoginRefused, // the server refused the login or the password
    OutOfTime,    // the upload's deadline passed; nothing more is sent
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

// The transport of a supported service position (Авто, FTP, HTTP) for one upload that
// ends by "deadline", or nothing when the network library cannot start a session.
std::unique_ptr<UploadTransport> openTransport(std::int32_t service, const UploadAccount& account,
                                               const TransportOptions& options,
                                               UploadDeadline deadline);

} // namespace snapdeck
