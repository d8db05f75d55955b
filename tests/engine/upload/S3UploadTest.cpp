#include "TestServers.h"
#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "engine/queue/UploadQueue.h"
#include "engine/queue/UploadWorker.h"
#include "engine/upload/CurlEasy.h"
#include "support/EngineFixture.h"
#include "support/QtPrinters.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace snapdeck;
using namespace snapdeck::test;

namespace {

QByteArray pictureBytes(quint32 seed) {
    QByteArray bytes("\xFF\xD8\xFF\xE0\r\n\0\r\n", 9);
    QByteArray noise(200 * 1024, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    return bytes + noise;
}

// Pictures queued for S3-compatible storage and sent by the worker, one try at a time on
// the test's thread, to s3rver on 127.0.0.1 (tests/engine/upload/s3, installed by
// scripts/install-deps.sh), which stores each object whole only when its signature holds.
class S3UploadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        queue.open();
        options.connectTimeout = std::chrono::milliseconds(2000);
        options.stallTimeout = std::chrono::seconds(2);
        options.uploadTimeBase = std::chrono::milliseconds(5000);
        worker = std::make_unique<UploadWorker>(queue, options, UploadWorker::Report());
    }
    // The S3 server, or a skip where Node.js is not installed.
    bool startS3(const S3ServerSetup& setup = {}) {
        server = TestServer::s3(setup);
        if (!server)
            return false;
        EXPECT_NE(server->port(), 0)
            << server->failure().toStdString() << " (scripts/install-deps.sh installs s3rver)";
        return server->port() != 0;
    }
    UploadDestination s3At(int port, const S3ServerSetup& setup = {}) const {
        UploadDestination destination;
        destination.service = UploadDestination::Service::S3;
        destination.account.host = QStringLiteral("127.0.0.1");
        destination.account.port = port;
        destination.folder = QStringLiteral("кадры/2026");
        destination.s3.bucket = setup.bucket;
        destination.s3.accessKey = setup.accessKey;
        destination.s3.secret = setup.secret;
        destination.s3.endpointTls = false;
        return destination;
    }
    QByteArray queuePicture(const QString& name, const UploadDestination& destination,
                            const QString& publishAs = {}) {
        const QByteArray bytes = pictureBytes(quint32(qHash(name)));
        const QString path = dir.filePath(QStringLiteral("image.jpg"));
        writeFileAtomically(path, bytes);
        EXPECT_EQ(queue.add(path, name, publishAs, destination).outcome,
                  UploadQueue::Outcome::Queued);
        return bytes;
    }
    // An object as s3rver keeps it.
    QByteArray object(const QString& key, const QString& bucket = QStringLiteral("snap")) const {
        return readFile(
            server->path(u'/' + bucket + u'/' + key + QStringLiteral("._S3rver_object")));
    }

    QTemporaryDir dir;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3))};
    UploadQueue queue{dir.filePath(QStringLiteral("queue")), clock, QueueLimits{},
                      [] { return 10LL * 1024 * 1024 * 1024; }};
    TransportOptions options;
    std::unique_ptr<UploadWorker> worker;
    std::unique_ptr<TestServer> server;
};

#define START_S3_OR_SKIP(...)                                                                      \
    if (!startS3(__VA_ARGS__)) {                                                                   \
        if (!server)                                                                               \
            GTEST_SKIP() << "Node.js is not installed";                                            \
        return;                                                                                    \
    }

} // namespace

// One signed PUT an object, below the prefix, path-style (127.0.0.1:port/bucket/key). The
// server computes each signature and the body's SHA-256: an object is stored only when the
// signature holds for the hash sent in x-amz-content-sha256 and the hash for the body.
TEST_F(S3UploadTest, APictureArrivesWholePathStyleUnderThePrefixAndTheFixedName) {
    START_S3_OR_SKIP();
    const QString name = QStringLiteral("снимок 06.12.2026 (1)+!.jpg");
    const QByteArray picture =
        queuePicture(name, s3At(server->port()), QStringLiteral("latest.jpg"));
    EXPECT_TRUE(worker->sendOldest()) << worker->report().lastError.toStdString();
    EXPECT_EQ(object(QStringLiteral("кадры/2026/") + name), picture);
    EXPECT_EQ(object(QStringLiteral("кадры/2026/latest.jpg")), picture);
    EXPECT_EQ(server->events(),
              (QStringList{QStringLiteral("PUT 127.0.0.1/snap/кадры/2026/") + name + " 200",
                           QStringLiteral("PUT 127.0.0.1/snap/кадры/2026/latest.jpg 200")}));
    EXPECT_EQ(queue.length(), 0);
}

// Virtual-host style: the bucket is part of the host name, "snap.s3.localhost", which
// libcurl resolves to 127.0.0.1 by itself, as it does any name under "localhost".
TEST_F(S3UploadTest, APictureArrivesWholeVirtualHostStyle) {
    START_S3_OR_SKIP();
    UploadDestination destination = s3At(server->port());
    destination.account.host = kS3VirtualHost;
    destination.s3.virtualHosted = true;
    destination.folder.clear();
    const QByteArray picture = queuePicture(QStringLiteral("снимок.jpg"), destination);
    EXPECT_TRUE(worker->sendOldest()) << worker->report().lastError.toStdString();
    EXPECT_EQ(object(QStringLiteral("снимок.jpg")), picture);
    EXPECT_EQ(server->events(),
              QStringList{QStringLiteral("PUT snap.s3.localhost/снимок.jpg 200")});
}

// S3 answers a wrong secret or an unknown key with 403: the user's to mend, said as a
// refused login; the picture waits in the queue.
TEST_F(S3UploadTest, AWrongSecretOrKeyIsARefusedLoginAndThePictureStaysQueued) {
    START_S3_OR_SKIP();
    S3ServerSetup wrongSecret;
    wrongSecret.secret = QStringLiteral("not the secret");
    S3ServerSetup wrongKey;
    wrongKey.accessKey = QStringLiteral("NOSUCHKEY");
    queuePicture(QStringLiteral("a.jpg"), s3At(server->port(), wrongSecret));
    queuePicture(QStringLiteral("b.jpg"), s3At(server->port(), wrongKey));

    EXPECT_FALSE(worker->sendOldest());
    EXPECT_EQ(worker->report().lastError,
              QStringLiteral("Сервер «127.0.0.1» отказал во входе (a.jpg)"));
    queue.remove(*queue.oldest()); // as if given up: the next entry's key is unknown
    EXPECT_FALSE(worker->sendOldest());
    EXPECT_EQ(worker->report().lastError,
              QStringLiteral("Сервер «127.0.0.1» отказал во входе (b.jpg)"));
    EXPECT_EQ(queue.length(), 1);
    EXPECT_EQ(worker->report().failed, 2);
    EXPECT_EQ(server->events(),
              (QStringList{"PUT 127.0.0.1/snap/кадры/2026/a.jpg 403 SignatureDoesNotMatch",
                           "PUT 127.0.0.1/snap/кадры/2026/b.jpg 403 InvalidAccessKeyId"}));
    EXPECT_FALSE(QDir(server->path(QStringLiteral("/snap/кадры"))).exists()) << "nothing stored";
}

// The server is as strict as S3 about the body's hash: libcurl signs a body it streams
// from a file as empty unless the request names the hash, which is why the upload sends
// it. A request that leaves it out, or names another body's, is refused.
TEST_F(S3UploadTest, TheServerRefusesABodyWhoseHashWasNotSigned) {
    START_S3_OR_SKIP();
    const QByteArray body("the picture");
    const auto put = [&](const QByteArray& hashHeader) {
        CurlEasy curl;
        const QByteArray url =
            "http://127.0.0.1:" + QByteArray::number(server->port()) + "/snap/hash.jpg";
        curl.setText(CURLOPT_URL, url);
        curl.setText(CURLOPT_AWS_SIGV4, "aws:amz:us-east-1:s3");
        curl.setText(CURLOPT_USERNAME, "SNAPDECKTEST");
        curl.setText(CURLOPT_PASSWORD, "snapdeck-test-secret");
        curl.set(CURLOPT_POSTFIELDSIZE, long(body.size()));
        curl.set(CURLOPT_COPYPOSTFIELDS, body.constData());
        curl.set(CURLOPT_CUSTOMREQUEST, "PUT");
        CurlList headers;
        if (!hashHeader.isEmpty())
            headers.append("x-amz-content-sha256: " + hashHeader);
        curl.set(CURLOPT_HTTPHEADER, headers.get());
        curl.set(
            CURLOPT_WRITEFUNCTION,
            +[](char*, size_t size, size_t count, void*) { return size * count; });
        EXPECT_EQ(curl.perform(), CURLE_OK);
        return curl.responseCode();
    };
    const QByteArray otherHash =
        QCryptographicHash::hash("another", QCryptographicHash::Sha256).toHex();
    const QByteArray rightHash = QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex();
    EXPECT_EQ(put(otherHash), 400);
    EXPECT_EQ(put(rightHash), 200);
    EXPECT_EQ(server->events(),
              (QStringList{"PUT 127.0.0.1/snap/hash.jpg 400 XAmzContentSHA256Mismatch",
                           "PUT 127.0.0.1/snap/hash.jpg 200"}));
}

// "SlowDown", which s3rver never says, from the scripted HTTP server: the try fails, the
// picture stays queued, and the next try stores it.
TEST_F(S3UploadTest, SlowDownFailsTheTryAndThePictureGoesOnTheNextOne) {
    HttpServerSetup slowDown;
    slowDown.answers = {503};
    slowDown.anyLogin = true;
    const auto scripted = TestServer::http(slowDown);
    ASSERT_NE(scripted->port(), 0) << scripted->failure().toStdString();
    scripted->makeFolder(QStringLiteral("/snap/кадры/2026"));
    const QByteArray picture = queuePicture(QStringLiteral("a.jpg"), s3At(scripted->port()));

    EXPECT_FALSE(worker->sendOldest());
    EXPECT_EQ(worker->report().lastError, QStringLiteral("Файл a.jpg не отослан на «127.0.0.1»"));
    EXPECT_EQ(worker->report().failed, 1);
    EXPECT_EQ(queue.length(), 1);
    EXPECT_TRUE(worker->sendOldest()) << worker->report().lastError.toStdString();
    EXPECT_EQ(readFile(scripted->path(QStringLiteral("/snap/кадры/2026/a.jpg"))), picture);
    EXPECT_EQ(scripted->events(),
              (QStringList{"PUT /snap/кадры/2026/a.jpg 503", "PUT /snap/кадры/2026/a.jpg 201"}));
    EXPECT_EQ(queue.length(), 0);
}
