#include "camera/gphoto2/LibraryHome.h"

#include <QDir>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

// Puts the test's HOME back, whatever the test did to it.
class KeptHome {
public:
    KeptHome() : home_(qgetenv("HOME")) {}
    ~KeptHome() { qputenv("HOME", home_); }

private:
    QByteArray home_;
};

TEST(Gphoto2LibraryHome, AProgramStartedWithoutHomeGivesTheLibraryTheUsersHome) {
    const KeptHome kept;
    const passwd* user = getpwuid(getuid());
    const QByteArray expected = user && user->pw_dir && *user->pw_dir
                                    ? QByteArray(user->pw_dir)
                                    : QDir::tempPath().toLocal8Bit();

    qunsetenv("HOME");
    snapdeck::gphoto2::ensureHomeForLibrary();
    EXPECT_EQ(qgetenv("HOME"), expected);

    qputenv("HOME", "");
    snapdeck::gphoto2::ensureHomeForLibrary();
    EXPECT_EQ(qgetenv("HOME"), expected);

    qputenv("HOME", "/somewhere/own");
    snapdeck::gphoto2::ensureHomeForLibrary();
    EXPECT_EQ(qgetenv("HOME"), QByteArray("/somewhere/own"));
}

} // namespace
