#include "UploadTransport.h"

#include "FtpService.h"
#include "FtpSettings.h"
#include "FtpTransport.h"
#include "HttpPutTransport.h"

namespace snapdeck {

bool fitsInRequests(const UploadAccount& account) {
    return !hasControlCharacter(account.host) && !hasControlCharacter(account.login) &&
           !hasControlCharacter(account.password);
}

std::unique_ptr<UploadTransport> openTransport(std::int32_t service, const UploadAccount& account,
                                               const TransportOptions& options) {
    if (service == HttpService) {
        auto http = std::make_unique<HttpPutTransport>(account, options);
        return http->isValid() ? std::move(http) : nullptr;
    }
    auto ftp = std::make_unique<FtpTransport>(account, service == AutoService, options);
    return ftp->isValid() ? std::move(ftp) : nullptr;
}

} // namespace snapdeck
