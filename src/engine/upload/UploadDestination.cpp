#include "UploadDestination.h"

#include "FtpService.h"
#include "FtpSettings.h"
#include "FtpTransport.h"
#include "HttpPutTransport.h"
#include "RemoteUrl.h"

namespace snapdeck {

std::optional<UploadDestination> destinationOf(const FtpSettings& settings) {
    UploadDestination destination;
    switch (settings.FtpServiceType) {
    case AutoService:
        destination.service = UploadDestination::Service::FtpWithTlsWhenOffered;
        break;
    case FtpOnlyService:
        destination.service = UploadDestination::Service::Ftp;
        break;
    case HttpService:
        destination.service = UploadDestination::Service::Http;
        break;
    default:
        return std::nullopt;
    }
    destination.account = {settings.FtpHost, settings.FtpPort, settings.FtpLogin,
                           settings.FtpPassword};
    destination.folder = settings.FtpDirectory;
    return destination;
}

namespace {

// Where an S3 destination's PUTs go: path-style "endpoint/bucket/key", or
// virtual-host-style "bucket.endpoint/key".
HttpPutTransport::Target s3Target(const UploadDestination& destination) {
    const UploadDestination::S3& s3 = destination.s3;
    const QString scheme = s3.endpointTls ? QStringLiteral("https") : QStringLiteral("http");
    HttpPutTransport::Target target;
    const bool usable = fitsInRequests(destination.account) && !s3.bucket.isEmpty() &&
                        !hasControlCharacter(s3.bucket);
    if (usable && s3.virtualHosted) {
        target.server = serverUrl(scheme, s3.bucket + u'.' + destination.account.host,
                                  destination.account.port);
    } else if (usable) {
        target.server = serverUrl(scheme, destination.account.host, destination.account.port);
        target.pathPrefix = encodedName(s3.bucket) + '/';
    }
    target.s3Region = s3.region;
    target.s3AccessKey = s3.accessKey;
    target.s3Secret = s3.secret;
    return target;
}

HttpPutTransport::Target httpTarget(const UploadDestination& destination, bool tls) {
    HttpPutTransport::Target target;
    if (fitsInRequests(destination.account))
        target.server = serverUrl(tls ? QStringLiteral("https") : QStringLiteral("http"),
                                  destination.account.host, destination.account.port);
    target.login = destination.account.login;
    target.password = destination.account.password;
    return target;
}

template <typename Transport> std::unique_ptr<UploadTransport> valid(std::unique_ptr<Transport> t) {
    if (!t->isValid())
        return nullptr;
    return t;
}

} // namespace

std::unique_ptr<UploadTransport> openTransport(const UploadDestination& destination,
                                               const TransportOptions& options,
                                               UploadDeadline deadline) {
    using Service = UploadDestination::Service;
    using Tls = FtpTransport::Tls;
    const UploadAccount& account = destination.account;
    switch (destination.service) {
    case Service::FtpWithTlsWhenOffered:
        return valid(std::make_unique<FtpTransport>(account, Tls::WhenOffered, options, deadline));
    case Service::Ftp:
        return valid(std::make_unique<FtpTransport>(account, Tls::Never, options, deadline));
    case Service::Ftps:
        return valid(std::make_unique<FtpTransport>(account, Tls::Required, options, deadline));
    case Service::Http:
    case Service::Https:
        return valid(std::make_unique<HttpPutTransport>(
            httpTarget(destination, destination.service == Service::Https), options, deadline));
    case Service::S3:
        return valid(std::make_unique<HttpPutTransport>(s3Target(destination), options, deadline));
    }
    return nullptr;
}

} // namespace snapdeck
