#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace snapdeck::test {

struct FtpServerSetup {
    QString user = QStringLiteral("snap");
    QString password = QStringLiteral("пароль с пробелом");
    QString permissions = QStringLiteral("elradfmw");
    QString startFolder = QStringLiteral("/"); // where a login lands
    bool tls = false;                          // AUTH TLS offered and required
    bool noActiveMode = false;                 // cannot connect back to the client
    QString silentCommand;                     // never answered
    double replyDelaySeconds = 0;              // before each command is carried out
    int port = 0;                              // 0: any free port
    // "COMMAND LINE PREFIX=CODE[*COUNT]": such a command is answered CODE, not carried out
    // (e.g. "STOR=452", "RNTO=553*1").
    QStringList answers;
    // "CODE=NEWCODE[*COUNT]": the server's own reply replaced (e.g. "226=452": the bytes
    // arrived, then the disk was full).
    QStringList replies;
    double slowRate = 0;      // bytes a second an upload is received at; 0: at once
    int dropAfter = -1;       // the session is closed after this many bytes of an upload
    int faultyTransfers = -1; // uploads slowRate and dropAfter apply to; -1: all
};

struct HttpServerSetup {
    QString user = QStringLiteral("snap");
    QString password = QStringLiteral("пароль");
    int status = 0;        // the code of every answer, nothing stored; 0: as the request deserves
    bool trickle = false;  // each answer's body a byte every half second, for 20 s
    QList<int> answers;    // the codes of the first answers, in turn (503: S3's "SlowDown")
    bool anyLogin = false; // no basic login asked for: signed S3 requests pass
};

// The S3-compatible server (s3rver behind a front that checks each request's Signature
// Version 4 and payload hash). Buckets path-style at 127.0.0.1, virtual-host-style at
// "BUCKET.s3.localhost" (kS3VirtualHost).
struct S3ServerSetup {
    QString bucket = QStringLiteral("snap");
    QString accessKey = QStringLiteral("SNAPDECKTEST");
    QString secret = QStringLiteral("snapdeck-test-secret");
};
inline const QString kS3VirtualHost = QStringLiteral("s3.localhost");

// A server script of this folder run with the system's Python on a free port of
// 127.0.0.1, serving a temporary folder; it stops with this object.
class TestServer {
public:
    static std::unique_ptr<TestServer> ftp(const FtpServerSetup& setup = {});
    static std::unique_ptr<TestServer> http(const QString& user, const QString& password);
    static std::unique_ptr<TestServer> http(const HttpServerSetup& setup);
    // Nothing when Node.js is not installed (the S3 tests are then skipped).
    static std::unique_ptr<TestServer> s3(const S3ServerSetup& setup = {});
    ~TestServer();

    int port() const { return port_; } // 0 when it did not start
    QString failure() const { return failure_; }
    QString path(const QString& serverPath) const; // "/" is the served root
    void makeFolder(const QString& serverPath) const;
    // The requests received, in order: FTP commands as "tls STOR name" or
    // "clear USER snap", HTTP ones as "PUT /folder/name 201", S3 ones as
    // "PUT 127.0.0.1/bucket/key 200" or "PUT bucket.s3.localhost/key 403 SignatureDoesNotMatch".
    QStringList events() const;
    QStringList commands(const QString& command) const;
    // The FTP server's own certificate, for the client under test to trust.
    QString certificate() const { return dir_.filePath(QStringLiteral("server-cert.pem")); }

private:
    TestServer(const QString& program, const char* script, QStringList arguments, bool tls);

    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    QString failure_;
};

// A port of 127.0.0.1 where nothing listens.
int closedPort();

// A port of 127.0.0.1 that takes connections and never says a word.
class SilentListener {
public:
    SilentListener();
    ~SilentListener();
    int port() const { return port_; }

private:
    int socket_ = -1;
    int port_ = 0;
};

} // namespace snapdeck::test
