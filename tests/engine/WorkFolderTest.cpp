#include "engine/upload/FtpSettingsFile.h"
#include "support/EngineFixture.h"

#include <QImage>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace snapdeck;

namespace {

// The program started in a folder whose name is not valid UTF-8: "Фото" in Windows-1251,
// as an old USB disk holds it.
class WorkFolderTest : public test::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        saved_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(saved_, 0);
        const QByteArray name = QFile::encodeName(dir.path()) + "/\xD4\xEE\xF2\xEE";
        ASSERT_EQ(::mkdir(name.constData(), 0755), 0);
        ASSERT_EQ(::chdir(name.constData()), 0);
        folder.emplace(); // the current folder
    }
    void TearDown() override {
        EngineFixture::TearDown();
        if (saved_ >= 0) {
            EXPECT_EQ(::fchdir(saved_), 0);
            ::close(saved_);
        }
    }
    static bool existsHere(const char* name) { return ::access(name, F_OK) == 0; }
    static void writeHere(const char* name, const QByteArray& bytes) {
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
        ::close(fd);
    }

    int saved_ = -1;
};

} // namespace

TEST_F(WorkFolderTest, PicturesAndSettingsAreWrittenAndReadInAFolderNamedInAnotherCodePage) {
    writeHere("ftp.ini", "URLHost:example.org\r\nSrvPort:2121\r\n");
    FtpSettings ftp;
    ASSERT_TRUE(loadFtpSettings(ftp, *folder, messages));
    EXPECT_EQ(ftp.FtpHost, QStringLiteral("example.org")) << "ftp.ini is read";
    EXPECT_EQ(ftp.FtpPort, 2121);

    load();
    EXPECT_TRUE(existsHere("preview.jpg"));
    EXPECT_TRUE(engine->capture());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_TRUE(existsHere("image.jpg"));
    ASSERT_EQ(observer.picturesStored.size(), 1);
    EXPECT_FALSE(QImage(observer.picturesStored[0]).isNull()) << "a path the faces can show";
}
