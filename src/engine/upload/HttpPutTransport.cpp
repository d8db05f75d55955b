#include "HttpPutTransport.h"

#include "CurlFileSource.h"
#include "FtpSettings.h"
#include "RemoteUrl.h"

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
    curl_.setText(CURLOPT_URL, server_ + '/' + folder_ + encodedName(remoteName));
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
