#include "HttpPutTransport.h"

#include "CurlFileSource.h"
#include "FtpSettings.h"
#include "RemoteUrl.h"

#include <QFile>

namespace snapdeck {

HttpPutTransport::HttpPutTransport(const UploadAccount& account, const TransportOptions& options,
                                   UploadDeadline deadline)
    : server_(fitsInRequests(account)
                  ? serverUrl(QStringLiteral("http"), account.host, account.port)
                  : QByteArray()) {
    if (!curl_.isValid() || server_.isEmpty())
        return;
    curl_.setDeadline(deadline);
    curl_.setText(CURLOPT_PROTOCOLS_STR, "http");
    if (!account.login.isEmpty()) {
        curl_.set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_.setText(CURLOPT_USERNAME, account.login.toUtf8());
        curl_.setText(CURLOPT_PASSWORD, account.password.toUtf8());
    }
    curl_.set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    curl_.set(CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_.set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(options.stallTimeout.count()));
    curl_.set(CURLOPT_PATH_AS_IS, 1L);
    // No "Expect: 100-continue": servers that do not know it would stall every upload.
    headers_.append("Expect:");
    curl_.set(CURLOPT_HTTPHEADER, headers_.get());
}

StepResult HttpPutTransport::connect() {
    if (server_.isEmpty())
        return StepResult::Failed;
    curl_.setText(CURLOPT_URL, server_ + '/');
    curl_.set(CURLOPT_CONNECT_ONLY, 1L);
    const CURLcode result = curl_.perform();
    curl_.set(CURLOPT_CONNECT_ONLY, 0L);
    if (result == CURLE_OK)
        return StepResult::Done;
    return curl_.deadlinePassed() ? StepResult::OutOfTime : StepResult::Failed;
}

StepResult HttpPutTransport::changeFolder(const QString& folder) {
    if (hasControlCharacter(folder))
        return StepResult::Failed;
    const QByteArray path = encodedFolderPath(folder);
    folder_ = path.isEmpty() ? QByteArray() : path + '/';
    return StepResult::Done;
}

StepResult HttpPutTransport::sendFile(const QString& localPath, const QString& remoteName) {
    QFile file(localPath);
    if (server_.isEmpty() || hasControlCharacter(remoteName) || !file.open(QIODevice::ReadOnly))
        return StepResult::Failed;
    curl_.setText(CURLOPT_URL, server_ + '/' + folder_ + encodedName(remoteName));
    uploadFromFile(curl_, file);
    const CURLcode result = curl_.perform();
    const long status = curl_.responseCode();
    if (result == CURLE_OPERATION_TIMEDOUT && curl_.deadlinePassed())
        return StepResult::OutOfTime;
    if (result == CURLE_OK && status >= 200 && status < 300)
        return StepResult::Done;
    // The login goes with the PUT: a server that refuses it answers the PUT so.
    if (result == CURLE_OK && (status == 401 || status == 403))
        return StepResult::LoginRefused;
    return StepResult::Failed;
}

} // namespace snapdeck
