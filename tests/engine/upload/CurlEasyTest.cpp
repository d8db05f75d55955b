#include "engine/upload/CurlEasy.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using snapdeck::CurlEasy;

namespace {

size_t collect(char* data, size_t size, size_t count, void* into) {
    static_cast<QByteArray*>(into)->append(data, qsizetype(size * count));
    return size * count;
}

// Our transfer loop on a handle: the transfer's own result, and the handle free for
// the next transfer (and for libcurl's own loop) afterwards.
class CurlEasyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(curl.isValid());
        curl.set(CURLOPT_WRITEFUNCTION, &collect);
        curl.set(CURLOPT_WRITEDATA, static_cast<void*>(&received));
    }
    QByteArray urlOf(const QString& name) const {
        return "file://" + QFile::encodeName(dir.filePath(name));
    }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    CurlEasy curl;
    QByteArray received;
};

} // namespace

TEST_F(CurlEasyTest, ATransferEndsWithItsOwnResult) {
    writeFile(QStringLiteral("a.bin"), QByteArray(300000, 'a'));
    curl.setText(CURLOPT_URL, urlOf(QStringLiteral("a.bin")));
    EXPECT_EQ(curl.perform(), CURLE_OK);
    EXPECT_EQ(received, QByteArray(300000, 'a'));

    curl.setText(CURLOPT_URL, urlOf(QStringLiteral("missing.bin")));
    EXPECT_EQ(curl.perform(), CURLE_FILE_COULDNT_READ_FILE);
}

TEST_F(CurlEasyTest, TheHandleIsFreeForTheNextTransferAfterEach) {
    writeFile(QStringLiteral("a.bin"), "first");
    writeFile(QStringLiteral("b.bin"), "second");
    curl.setText(CURLOPT_URL, urlOf(QStringLiteral("a.bin")));
    ASSERT_EQ(curl.perform(), CURLE_OK);
    curl.setText(CURLOPT_URL, urlOf(QStringLiteral("b.bin")));
    ASSERT_EQ(curl.perform(), CURLE_OK);
    // A handle still attached to our loop would be refused by libcurl's own.
    curl.setText(CURLOPT_URL, urlOf(QStringLiteral("a.bin")));
    EXPECT_EQ(curl_easy_perform(curl.get()), CURLE_OK);
    EXPECT_EQ(received, QByteArray("firstsecondfirst"));
}
