#include "UploadTransport.h"

#include "FtpService.h"
#include "FtpSettings.h"
#include "FtpTransport.h"
#include "HttpPutTransport.h"

#include <algorithm>

namespace snapdeck {

UploadDeadline uploadDeadline(const TransportOptions& options, std::int64_t bytes) {
    const std::int64_t pictureMs =
        options.slowestRate > 0 ? std::max<std::int64_t>(bytes, 0) * 1000 / options.slowestRate : 0;
    return std::chrono::steady_clock::now() + options.uploadTimeBase +
           std::chrono::milliseconds(pictureMs);
}

bool fitsInRequests(const UploadAccount& account) {
    return !hasControlCharacter(account.host) && !hasControlCharacter(account.login) &&
           !hasControlCharacter(account.password);
}

std::unique_ptr<UploadTransport> openTransport(std::int32_t service, const UploadAccount& account,
                                               const TransportOptions& options,
                                               UploadDeadline deadline) {
    if (service == HttpService) {
        auto http = std::make_unique<HttpPutTransport>(account, options, deadline);
        return http->isValid() ? std::move(http) : nullptr;
    }
    auto ftp = std::make_unique<FtpTransport>(account, service == AutoService, options, deadline);
    return ftp->isValid() ? std::move(ftp) : nullptr;
}

} // namespace snapdeck
