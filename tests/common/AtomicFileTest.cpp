#include "common/AtomicFile.h"
#include "common/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace snapdeck;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(AtomicFile, ReplacesTheWholeFileAndLeavesNoTemporaryFileBehind) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preview.jpg"));
    writeFileAtomically(path, QByteArray(1000, 'a'));
    writeFileAtomically(path, QByteArray("short"));
    EXPECT_EQ(contents(path), QByteArray("short")) << "no bytes of the longer file remain";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("preview.jpg")});
}

TEST(AtomicFile, AFailedWriteKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.jpg"));
    writeFileAtomically(path, QByteArray("previous picture"));

    // The folder refuses new files: the temporary file cannot be made.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    if (::geteuid() != 0) {
        EXPECT_THROW(writeFileAtomically(path, QByteArray("new")), AppError);
        EXPECT_EQ(contents(path), QByteArray("previous picture"));
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);

    // A target that is a folder cannot be replaced: the error names the file.
    const QString folderPath = dir.filePath(QStringLiteral("taken"));
    QDir(dir.path()).mkdir(QStringLiteral("taken"));
    QDir(folderPath).mkdir(QStringLiteral("inside"));
    try {
        writeFileAtomically(folderPath, QByteArray("x"));
        FAIL() << "writing over a folder must fail";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("taken")));
        EXPECT_NE(error.number(), 0);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("image.jpg")})
        << "the temporary file is removed after a failure";
}

TEST(AtomicFile, KeepsTheRequestedPermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ftp.ini"));
    writeFileAtomically(path, QByteArray("Passwrd:secret\r\n"), 0600);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// What a killed write leaves (the writer's own temporary name, made as the writer makes
// it) names the file it was to replace; the files themselves and other hidden files do not.
TEST(AtomicFile, ALeftoverOfAKilledWriteNamesItsTarget) {
    QTemporaryDir dir;
    QByteArray leftover = QFile::encodeName(dir.filePath(QStringLiteral(".image.jpg.XXXXXX")));
    const int fd = ::mkostemp(leftover.data(), O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(atomicWriteTarget(QFileInfo(QFile::decodeName(leftover)).fileName()),
              QStringLiteral("image.jpg"));
    EXPECT_EQ(atomicWriteTarget(QStringLiteral(".status.json.a1B2c3")),
              QStringLiteral("status.json"));
    for (const char* other : {"image.jpg", ".hidden", ".image.jpg.tmp", ".snapdeck-queue"})
        EXPECT_TRUE(atomicWriteTarget(QString::fromLatin1(other)).isEmpty()) << other;
}
