#pragma once

#include "CurlEasy.h"
#include "UploadTransport.h"

namespace snapdeck {

// Upload as one HTTP PUT to http://host:port/folder/name with the login as basic
// authentication. The folder is part of the address, so changing to it asks nothing of
// the server; a PUT refused with 401 or 403 is a refused login, any other refusal a
// failed send.
class HttpPutTransport final : public UploadTransport {
public:
    HttpPutTransport(const UploadAccount& account, const TransportOptions& options,
                     UploadDeadline deadline);

    bool isValid() const { return curl_.isValid(); }
    StepResult connect() override;
    StepResult changeFolder(const QString& folder) override;
    StepResult sendFile(const QString& localPath, const QString& remoteName) override;

private:
    CurlEasy curl_;
    CurlList headers_;
    QByteArray server_;
    QByteArray folder_; // encoded, "" or "a/b/"
};

} // namespace snapdeck
