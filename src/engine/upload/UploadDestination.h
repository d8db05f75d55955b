#pragma once

#include "UploadTransport.h"

#include <QString>
#include <optional>

namespace snapdeck {

struct FtpSettings;

// Where pictures go: a server and its account, the folder on it, and for object
// storage the bucket and the signing keys. A plain value: an upload waiting in the
// queue keeps the destination it was queued with.
struct UploadDestination {
    enum class Service {
        FtpWithTlsWhenOffered, // "Авто"
        Ftp,
        Ftps,  // FTP with TLS required
        Http,  // one PUT a picture
        Https, // likewise, over TLS
        S3,    // S3-compatible object storage, signed with AWS Signature Version 4
    };
    Service service = Service::FtpWithTlsWhenOffered;
    UploadAccount account; // host, port, login, password; S3: the endpoint's host and port
    QString folder;        // FTP: the folder to change to; HTTP: the path; S3: the prefix
    struct S3 {
        QString bucket;
        QString region = QStringLiteral("us-east-1");
        QString accessKey;
        QString secret;
        bool endpointTls = true;    // https:// endpoint
        bool virtualHosted = false; // bucket.host/key instead of host/bucket/key
        friend bool operator==(const S3&, const S3&) = default;
    } s3;
    friend bool operator==(const UploadDestination&, const UploadDestination&) = default;
};

// The destination of the FTP settings; nothing for a service position without a
// transport (GOPHER, none chosen, unknown).
std::optional<UploadDestination> destinationOf(const FtpSettings& settings);

// The transport for one upload to "destination" that ends by "deadline"; nothing when
// the network library cannot start a session.
std::unique_ptr<UploadTransport> openTransport(const UploadDestination& destination,
                                               const TransportOptions& options,
                                               UploadDeadline deadline);

} // namespace snapdeck
