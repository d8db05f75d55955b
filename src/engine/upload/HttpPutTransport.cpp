#include "HttpPutTransport.h"

#include "CurlFileSource.h"
#include "FtpSettings.h"
#include "RemoteUrl.h"

#include <QCryptographicHash>
#include <QFile>

namespace snapdeck {

namespace {

// More than any status page needs; the rest of a longer body is never read.
constexpr qint64 kMostAnswerBodyBytes = 4096;

bool successful(long status) {
    return status >= 200 && status < 300;
}

size_t noteHeader(char* data, size_t size, size_t count, void* answerData) {
    auto& answer = *static_cast<HttpPutTransport::Answer*>(answerData);
    const QByteArray line =
        QByteArray::fromRawData(data, static_cast<qsizetype>(size * count)).trimmed();
    if (line.startsWith("HTTP/")) {
        answer.status = line.split(' ').value(1).toLong();
        answer.headersEnded = false;
    } else if (line.isEmpty() && answer.status >= 200) {
        answer.headersEnded = true; // of the final answer: a 1xx one is followed by another
    }
    return size * count;
}

size_t takeBody(char*, size_t size, size_t count, void* answerData) {
    auto& answer = *static_cast<HttpPutTransport::Answer*>(answerData);
    answer.bodyBytes += static_cast<qint64>(size * count);
    return answer.bodyBytes > kMostAnswerBodyBytes ? 0 : size * count;
}

// Once the final answer's headers are in and the file is sent, the status line has
// said everything: a body, however slowly it comes, is not waited for.
int endWhenAnswered(void* answerData, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent) {
    const auto& answer = *static_cast<HttpPutTransport::Answer*>(answerData);
    const bool decided =
        answer.headersEnded && (sent >= answer.fileBytes || !successful(answer.status));
    return decided ? 1 : 0;
}

} // namespace

namespace {

HttpPutTransport::Target plainTarget(const UploadAccount& account) {
    HttpPutTransport::Target target;
    if (fitsInRequests(account))
        target.server = serverUrl(QStringLiteral("http"), account.host, account.port);
    target.login = account.login;
    target.password = account.password;
    return target;
}

bool targetFitsInRequests(const HttpPutTransport::Target& target) {
    return !hasControlCharacter(target.login) && !hasControlCharacter(target.password) &&
           !hasControlCharacter(target.s3Region) && !hasControlCharacter(target.s3AccessKey) &&
           !hasControlCharacter(target.s3Secret);
}

// The file's SHA-256 as lower-case hex; empty when the file cannot be read.
QByteArray sha256Hex(QFile& file) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.seek(0) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

} // namespace

HttpPutTransport::HttpPutTransport(const UploadAccount& account, const TransportOptions& options,
                                   UploadDeadline deadline)
    : HttpPutTransport(plainTarget(account), options, deadline) {}

HttpPutTransport::HttpPutTransport(const Target& target, const TransportOptions& options,
                                   UploadDeadline deadline)
    : server_(targetFitsInRequests(target) ? target.server : QByteArray()),
      pathPrefix_(target.pathPrefix), signing_(!target.s3Region.isEmpty()) {
    if (!curl_.isValid() || server_.isEmpty())
        return;
    curl_.setDeadline(deadline);
    curl_.setCancelled(options.cancelled);
    curl_.setText(CURLOPT_PROTOCOLS_STR, "http,https");
    if (signing_) {
        curl_.setText(CURLOPT_AWS_SIGV4, "aws:amz:" + target.s3Region.toUtf8() + ":s3");
        curl_.setText(CURLOPT_USERNAME, target.s3AccessKey.toUtf8());
        curl_.setText(CURLOPT_PASSWORD, target.s3Secret.toUtf8());
    } else if (!target.login.isEmpty()) {
        curl_.set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_.setText(CURLOPT_USERNAME, target.login.toUtf8());
        curl_.setText(CURLOPT_PASSWORD, target.password.toUtf8());
    }
    if (!options.trustedAuthorities.isEmpty())
        curl_.setText(CURLOPT_CAINFO, QFile::encodeName(options.trustedAuthorities));
    curl_.set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    curl_.set(CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_.set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(options.stallTimeout.count()));
    curl_.set(CURLOPT_PATH_AS_IS, 1L);
    curl_.set(CURLOPT_HEADERFUNCTION, &noteHeader);
    curl_.set(CURLOPT_HEADERDATA, static_cast<void*>(&answer_));
    curl_.set(CURLOPT_WRITEFUNCTION, &takeBody);
    curl_.set(CURLOPT_WRITEDATA, static_cast<void*>(&answer_));
    curl_.set(CURLOPT_XFERINFOFUNCTION, &endWhenAnswered);
    curl_.set(CURLOPT_XFERINFODATA, static_cast<void*>(&answer_));
    curl_.set(CURLOPT_NOPROGRESS, 0L);
}

StepResult HttpPutTransport::connect() {
    if (server_.isEmpty())
        return StepResult::Failed;
    curl_.setText(CURLOPT_URL, server_ + '/');
    curl_.set(CURLOPT_CONNECT_ONLY, 1L);
    answer_ = Answer{};
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

// The status decides, whatever became of the body after it; but an upload still
// running at its deadline is out of time, whatever it was waiting for.
StepResult HttpPutTransport::sendFile(const QString& localPath, const QString& remoteName) {
    QFile file(localPath);
    if (server_.isEmpty() || hasControlCharacter(remoteName) || !file.open(QIODevice::ReadOnly))
        return StepResult::Failed;
    curl_.setText(CURLOPT_URL, server_ + '/' + pathPrefix_ + folder_ + encodedName(remoteName));
    // No "Expect: 100-continue": servers that do not know it would stall every upload.
    auto headers = std::make_unique<CurlList>();
    headers->append("Expect:");
    if (signing_) {
        // libcurl signs the body as empty unless the request names the body's hash.
        const QByteArray hash = sha256Hex(file);
        if (hash.isEmpty())
            return StepResult::Failed;
        headers->append("x-amz-content-sha256: " + hash);
    }
    curl_.set(CURLOPT_HTTPHEADER, headers->get());
    headers_ = std::move(headers); // libcurl reads the list until the next request
    uploadFromFile(curl_, file);
    answer_ = Answer{};
    answer_.fileBytes = file.size();
    const CURLcode result = curl_.perform();
    curl_off_t sent = 0;
    curl_easy_getinfo(curl_.get(), CURLINFO_SIZE_UPLOAD_T, &sent);
    if (result == CURLE_OPERATION_TIMEDOUT && curl_.deadlinePassed())
        return StepResult::OutOfTime;
    if (answer_.headersEnded) {
        // The login goes with the PUT: a server that refuses it answers the PUT so.
        if (answer_.status == 401 || answer_.status == 403)
            return StepResult::LoginRefused;
        if (!successful(answer_.status))
            return StepResult::Failed;
        if (sent >= answer_.fileBytes)
            return StepResult::Done;
    }
    return StepResult::Failed;
}

} // namespace snapdeck
