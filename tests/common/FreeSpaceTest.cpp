#include "common/FreeSpace.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace snapdeck;

// A folder on a real disk has a size to tell; one that does not exist has none, and
// says so with -1 rather than a number that looks like a full disk.
TEST(FreeSpaceTest, AFolderTellsItsDisksFreeSpaceAndAMissingOneTellsNone) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_GT(freeBytesOn(dir.path()), 0);
    EXPECT_EQ(freeBytesOn(dir.filePath(QStringLiteral("not/there"))), -1);
}
