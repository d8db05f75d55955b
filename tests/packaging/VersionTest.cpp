#include "support/ProgramRun.h"

#include <gtest/gtest.h>

namespace {

using snapdeck::test::Finished;

Finished runWithoutDisplay(const QStringList& arguments) {
    return snapdeck::test::runWithoutDisplay(QStringLiteral(SNAPDECK_PROGRAM), arguments);
}

} // namespace

// Packaging scripts, bug reports and a station's operator over ssh ask the version where
// there is no display: one line on standard output with the project's version, status 0.
TEST(Version, IsOneLineOnStandardOutputWithoutADisplay) {
    for (const char* option : {"--version", "-v"}) {
        const Finished run = runWithoutDisplay({QString::fromLatin1(option)});
        EXPECT_TRUE(run.normalExit) << option;
        EXPECT_EQ(run.status, 0) << option;
        EXPECT_EQ(run.output.toStdString(), "snapdeck " SNAPDECK_EXPECTED_VERSION "\n") << option;
        EXPECT_EQ(run.errors.toStdString(), "") << option;
    }
    const Finished help = runWithoutDisplay({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.output.contains(QStringLiteral("--version"))) << help.output.toStdString();
}

// The check above means something only if a window really cannot start here.
TEST(Version, TheWindowCannotStartWhereTheVersionIsAsked) {
    const Finished window = runWithoutDisplay({QStringLiteral("--camera=simulator")});
    EXPECT_FALSE(window.normalExit && window.status == 0) << window.output.toStdString();
}
