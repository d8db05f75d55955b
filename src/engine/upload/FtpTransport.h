#pragma once

#include "CurlEasy.h"
#include "UploadTransport.h"

class QFile;

namespace snapdeck {

// Upload over FTP, one control connection for all steps. Binary transfers in active
// mode (passive where TLS may be used); when the server cannot connect back, the
// transfer is retried once in passive mode. The file goes under a temporary name in
// the target folder and is renamed over the target when complete, so that a reader
// never sees half a picture.
class FtpTransport final : public UploadTransport {
public:
    // How the connection uses TLS (AUTH TLS, the certificate checked).
    enum class Tls {
        Never,
        WhenOffered, // plain FTP with a server that does not offer it
        Required,    // no upload to a server that does not offer it
    };

    FtpTransport(const UploadAccount& account, Tls tls, const TransportOptions& options,
                 UploadDeadline deadline);
    FtpTransport(const UploadAccount& account, bool tlsWhenOffered, const TransportOptions& options,
                 UploadDeadline deadline)
        : FtpTransport(account, tlsWhenOffered ? Tls::WhenOffered : Tls::Never, options, deadline) {
    }

    bool isValid() const { return curl_.isValid(); }
    StepResult connect() override;
    StepResult changeFolder(const QString& folder) override;
    StepResult sendFile(const QString& localPath, const QString& remoteName) override;

private:
    StepResult resultOf(CURLcode result) const;
    CURLcode askAbout(const QString& remotePath);
    CURLcode upload(QFile& file, const QString& remoteName, const CurlList& afterwards);

    CurlEasy curl_;
    QByteArray server_; // "ftp://host:port"; empty when the host is not a host name
    QString folder_;    // "folder/" once the folder step succeeded
    bool passive_ = false;
};

} // namespace snapdeck
