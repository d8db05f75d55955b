#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

// The error text of a refused command line, or "" when it was taken.
QString refusal(const QStringList& options) {
    QString error;
    QString help;
    const auto parsed = CommandLine::parse(QStringList{"snapdeck"} + options, &error, &help);
    EXPECT_EQ(parsed.has_value(), error.isEmpty()) << error.toStdString();
    return error;
}

} // namespace

// A mistyped option is refused before ftp.ini is read or a camera opened, with a word
// on what to type instead.
TEST(CommandLine, TakesTheCamerasItKnowsAndRefusesTheRestWithAReason) {
    for (const char* good : {"--camera=gphoto2", "--camera=simulator", "--camera=simulator:card",
                             "--port=usb:001,005"})
        EXPECT_EQ(refusal({good}), QString()) << good;
    EXPECT_EQ(refusal({"--camera=gphoto2", "--port=ptpip:10.0.0.5"}), QString());

    EXPECT_TRUE(refusal({"--camera=simulater"}).contains(QStringLiteral("--camera=simulator")));
    EXPECT_TRUE(refusal({"--camera=simulator:"}).contains(QStringLiteral("folder")));
    EXPECT_TRUE(
        refusal({"--camera=simulator", "--port=usb:001,005"}).contains(QStringLiteral("--port")))
        << "a port the simulated camera would silently ignore";
    EXPECT_FALSE(refusal({"--camara=simulator"}).isEmpty());
    EXPECT_FALSE(refusal({"card"}).isEmpty());

    QString error;
    QString help;
    EXPECT_FALSE(CommandLine::parse({"snapdeck", "--help"}, &error, &help).has_value());
    EXPECT_TRUE(help.contains(QStringLiteral("--screenshot")));
}
