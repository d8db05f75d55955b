#include "FtpTransport.h"

#include "CurlFileSource.h"
#include "FtpSettings.h"
#include "RemoteUrl.h"

#include <QFile>

namespace snapdeck {

namespace {

bool activeModeFailed(CURLcode result) {
    return result == CURLE_FTP_PORT_FAILED || result == CURLE_FTP_ACCEPT_FAILED ||
           result == CURLE_FTP_ACCEPT_TIMEOUT;
}

} // namespace

FtpTransport::FtpTransport(const UploadAccount& account, Tls tls, const TransportOptions& options,
                           UploadDeadline deadline)
    : server_(fitsInRequests(account) ? serverUrl(QStringLiteral("ftp"), account.host, account.port)
                                      : QByteArray()) {
    if (!curl_.isValid() || server_.isEmpty())
        return;
    curl_.setDeadline(deadline);
    curl_.setCancelled(options.cancelled);
    curl_.setText(CURLOPT_PROTOCOLS_STR, "ftp");
    if (!account.login.isEmpty()) {
        curl_.setText(CURLOPT_USERNAME, account.login.toUtf8());
        curl_.setText(CURLOPT_PASSWORD, account.password.toUtf8());
    }
    const long useTls = tls == Tls::Required      ? CURLUSESSL_ALL
                        : tls == Tls::WhenOffered ? CURLUSESSL_TRY
                                                  : CURLUSESSL_NONE;
    curl_.set(CURLOPT_USE_SSL, useTls);
    if (!options.trustedAuthorities.isEmpty())
        curl_.setText(CURLOPT_CAINFO, QFile::encodeName(options.trustedAuthorities));
    curl_.set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    curl_.setResponseTimeout(options.responseTimeout);
    curl_.set(CURLOPT_ACCEPTTIMEOUT_MS,
              static_cast<long>(std::chrono::milliseconds(options.responseTimeout).count()));
    curl_.set(CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_.set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(options.stallTimeout.count()));
    // The whole folder in one CWD, as typed; "/..." absolute, else from the login folder.
    curl_.set(CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_.set(CURLOPT_PATH_AS_IS, 1L);
    curl_.set(CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
    // Active mode, on the control connection's address. Not with TLS: libcurl 7.88 sends
    // an actively opened data connection without TLS, so the picture would cross in
    // clear; and a firewall cannot read an encrypted PORT command anyway.
    passive_ = tls != Tls::Never;
    if (!passive_)
        curl_.setText(CURLOPT_FTPPORT, "-");
}

StepResult FtpTransport::resultOf(CURLcode result) const {
    if (result == CURLE_OK)
        return StepResult::Done;
    // 530 is "not logged in"; a login refused for another reason, such as a server that
    // wants TLS first (550), is no wrong password.
    if (result == CURLE_LOGIN_DENIED && curl_.responseCode() == 530)
        return StepResult::LoginRefused;
    return curl_.deadlinePassed() ? StepResult::OutOfTime : StepResult::Failed;
}

// A request without a transfer: logs in if needed and changes to the path's folder.
CURLcode FtpTransport::askAbout(const QString& remotePath) {
    if (server_.isEmpty())
        return CURLE_URL_MALFORMAT;
    curl_.setText(CURLOPT_URL, server_ + '/' + encodedName(remotePath));
    curl_.set(CURLOPT_UPLOAD, 0L);
    curl_.set(CURLOPT_NOBODY, 1L);
    return curl_.perform();
}

StepResult FtpTransport::connect() {
    return resultOf(askAbout(QString()));
}

StepResult FtpTransport::changeFolder(const QString& folder) {
    const QString path = folder + u'/';
    const StepResult changed =
        hasControlCharacter(folder) ? StepResult::Failed : resultOf(askAbout(path));
    folder_ = changed == StepResult::Done ? path : QString();
    return changed;
}

CURLcode FtpTransport::upload(QFile& file, const QString& remoteName, const CurlList& afterwards) {
    curl_.setText(CURLOPT_URL, server_ + '/' + encodedName(folder_ + remoteName));
    curl_.set(CURLOPT_NOBODY, 0L);
    uploadFromFile(curl_, file);
    curl_.set(CURLOPT_POSTQUOTE, afterwards.get());
    CURLcode result = curl_.perform();
    if (!passive_ && activeModeFailed(result)) {
        passive_ = true;
        curl_.set(CURLOPT_FTPPORT, static_cast<const char*>(nullptr));
        file.seek(0);
        result = curl_.perform();
    }
    curl_.set(CURLOPT_POSTQUOTE, static_cast<curl_slist*>(nullptr));
    return result;
}

StepResult FtpTransport::sendFile(const QString& localPath, const QString& remoteName) {
    // The name goes into the rename commands as it is.
    if (server_.isEmpty() || hasControlCharacter(remoteName))
        return StepResult::Failed;
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return StepResult::Failed;
    const QString partName = u'.' + remoteName + QStringLiteral(".part");
    CurlList rename;
    rename.append("RNFR " + partName.toUtf8());
    rename.append("RNTO " + remoteName.toUtf8());
    CURLcode result = upload(file, partName, rename);
    if (result == CURLE_QUOTE_ERROR) {
        // The server keeps the part but refuses the rename: send the picture under its
        // own name, and clear the part away where the server lets us.
        CurlList cleanUp;
        cleanUp.append("*DELE " + partName.toUtf8());
        result = upload(file, remoteName, cleanUp);
    }
    return resultOf(result);
}

} // namespace snapdeck
