#include "TestServers.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace snapdeck::test {

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

int boundSocket(bool listening, int* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool ok = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                    (!listening || ::listen(fd, 8) == 0) &&
                    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    *port = ok ? ntohs(address.sin_port) : 0;
    return fd;
}

} // namespace

std::unique_ptr<TestServer> TestServer::ftp(const FtpServerSetup& setup) {
    QStringList arguments{"--user",   setup.user,         "--password",     setup.password,
                          "--perm",   setup.permissions,  "--start-folder", setup.startFolder,
                          "--silent", setup.silentCommand};
    if (setup.noActiveMode)
        arguments << "--no-active";
    if (setup.replyDelaySeconds > 0)
        arguments << "--reply-delay" << QString::number(setup.replyDelaySeconds);
    if (setup.port != 0)
        arguments << "--port" << QString::number(setup.port);
    for (const QString& answer : setup.answers)
        arguments << "--answer" << answer;
    for (const QString& reply : setup.replies)
        arguments << "--reply" << reply;
    if (setup.slowRate > 0)
        arguments << "--slow-rate" << QString::number(setup.slowRate);
    if (setup.dropAfter >= 0)
        arguments << "--drop-after" << QString::number(setup.dropAfter);
    arguments << "--faulty-transfers" << QString::number(setup.faultyTransfers);
    std::unique_ptr<TestServer> server(
        new TestServer(kPython, "ftp_server.py", arguments, setup.tls));
    server->makeFolder(setup.startFolder);
    return server;
}

std::unique_ptr<TestServer> TestServer::http(const QString& user, const QString& password) {
    HttpServerSetup setup;
    setup.user = user;
    setup.password = password;
    return http(setup);
}

std::unique_ptr<TestServer> TestServer::http(const HttpServerSetup& setup) {
    QStringList arguments{"--user", setup.user, "--password", setup.password};
    if (setup.status != 0)
        arguments << "--status" << QString::number(setup.status);
    if (setup.trickle)
        arguments << "--trickle";
    QStringList answers;
    for (const int code : setup.answers)
        answers << QString::number(code);
    if (!answers.isEmpty())
        arguments << "--answers" << answers.join(u',');
    if (setup.anyLogin)
        arguments << "--any-login";
    return std::unique_ptr<TestServer>(
        new TestServer(kPython, "http_put_server.py", arguments, false));
}

std::unique_ptr<TestServer> TestServer::s3(const S3ServerSetup& setup) {
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (node.isEmpty())
        return nullptr;
    const QStringList arguments{"--bucket",      setup.bucket, "--access-key",
                                setup.accessKey, "--secret",   setup.secret};
    return std::unique_ptr<TestServer>(new TestServer(node, "s3/s3_server.js", arguments, false));
}

TestServer::TestServer(const QString& program, const char* script, QStringList arguments,
                       bool tls) {
    QDir().mkpath(path(QStringLiteral("/")));
    arguments << "--root" << path(QStringLiteral("/")) << "--events"
              << dir_.filePath(QStringLiteral("events"));
    if (tls)
        arguments << "--tls-folder" << dir_.path();
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(program,
                   QStringList{QStringLiteral(SNAPDECK_FTP_TEST_DIR "/") + QLatin1String(script)} +
                       arguments);
    QByteArray output;
    while (!output.contains('\n') && process_.waitForReadyRead(15000))
        output += process_.readAllStandardOutput();
    port_ = output.startsWith("port ") ? output.mid(5).trimmed().toInt() : 0;
    if (port_ == 0)
        failure_ = QStringLiteral("%1 did not start: %2").arg(script, QString::fromUtf8(output));
}

TestServer::~TestServer() {
    process_.closeWriteChannel(); // the script ends when its input closes
    if (!process_.waitForFinished(5000))
        process_.kill();
    process_.waitForFinished(5000);
}

QString TestServer::path(const QString& serverPath) const {
    return dir_.filePath(QStringLiteral("root") + serverPath);
}

void TestServer::makeFolder(const QString& serverPath) const {
    QDir().mkpath(path(serverPath));
}

QStringList TestServer::events() const {
    QFile file(dir_.filePath(QStringLiteral("events")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QStringList TestServer::commands(const QString& command) const {
    QStringList found;
    for (const QString& event : events())
        if (event.section(u' ', 1, 1) == command)
            found.append(event.section(u' ', 1).trimmed());
    return found;
}

int closedPort() {
    int port = 0;
    ::close(boundSocket(false, &port));
    return port;
}

SilentListener::SilentListener() : socket_(boundSocket(true, &port_)) {}

SilentListener::~SilentListener() {
    ::close(socket_);
}

} // namespace snapdeck::test
