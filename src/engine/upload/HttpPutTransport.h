#pragma once

#include "CurlEasy.h"
#include "UploadTransport.h"

#include <memory>

namespace snapdeck {

// Upload as one HTTP PUT to http(s)://host:port/folder/name with the login as basic
// authentication, or to S3-compatible object storage, signed with AWS Signature
// Version 4 (a single PUT: the object appears whole or not at all). The folder is part
// of the address, so changing to it asks nothing of the server; a PUT refused with 401
// or 403 (S3: a bad key or signature) is a refused login, any other refusal a failed
// send. The answer's status line decides: its body is never waited for, and no more
// than a few KiB of it are read.
class HttpPutTransport final : public UploadTransport {
public:
    // What has come back for a request so far.
    struct Answer {
        long status = 0;           // of the latest status line
        bool headersEnded = false; // all headers of the final (not 1xx) answer are in
        qint64 bodyBytes = 0;
        qint64 fileBytes = 0; // the size of the file the request sends
    };

    // Where the PUTs go and how they are signed.
    struct Target {
        QByteArray server;     // "scheme://host[:port]"; empty: no usable address
        QByteArray pathPrefix; // encoded, "" or "bucket/"
        QString login;         // basic authentication; empty: none
        QString password;
        // S3: region, access key and secret; empty region: no signing.
        QString s3Region, s3AccessKey, s3Secret;
    };

    HttpPutTransport(const Target& target, const TransportOptions& options,
                     UploadDeadline deadline);
    // Plain HTTP to the account's host.
    HttpPutTransport(const UploadAccount& account, const TransportOptions& options,
                     UploadDeadline deadline);

    bool isValid() const { return curl_.isValid(); }
    StepResult connect() override;
    StepResult changeFolder(const QString& folder) override;
    StepResult sendFile(const QString& localPath, const QString& remoteName) override;

private:
    Answer answer_; // libcurl's callbacks write it: it outlives the handle
    CurlEasy curl_;
    std::unique_ptr<CurlList> headers_;
    QByteArray server_;
    QByteArray pathPrefix_;
    bool signing_ = false;
    QByteArray folder_; // encoded, "" or "a/b/"
};

} // namespace snapdeck
