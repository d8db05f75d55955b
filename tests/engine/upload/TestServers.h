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
};

struct HttpServerSetup {
    QString user = QStringLiteral("snap");
    QString password = QStringLiteral("пароль");
    int status = 0;       // the code of every answer, nothing stored; 0: as the request deserves
    bool trickle = false; // each answer's body a byte every half second, for 20 s
};

// A server script of this folder run with the system's Python on a free port of
// 127.0.0.1, serving a temporary folder; it stops with this object.
class TestServer {
public:
    static std::unique_ptr<TestServer> ftp(const FtpServerSetup& setup = {});
    static std::unique_ptr<TestServer> http(const QString& user, const QString& password);
    static std::unique_ptr<TestServer> http(const HttpServerSetup& setup);
    ~TestServer();

    int port() const { return port_; } // 0 when it did not start
    QString failure() const { return failure_; }
    QString path(const QString& serverPath) const; // "/" is the served root
    void makeFolder(const QString& serverPath) const;
    // The requests received, in order: FTP commands as "tls STOR name" or
    // "clear USER snap", HTTP ones as "PUT /folder/name 201".
    QStringList events() const;
    QStringList commands(const QString& command) const;
    // The FTP server's own certificate, for the client under test to trust.
    QString certificate() const { return dir_.filePath(QStringLiteral("server-cert.pem")); }

private:
    TestServer(const char* script, QStringList arguments, bool tls);

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
