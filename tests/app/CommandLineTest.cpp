#include "app/CommandLine.h"
#include "camera/CameraPort.h"
#include "support/QtPrinters.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

// A build without libgphoto2 has the simulated camera only, and refuses the real one
// and any --port with a reason of its own.
#ifdef SNAPDECK_WITH_GPHOTO2
constexpr bool kRealCameras = true;
#else
constexpr bool kRealCameras = false;
#endif

// The error text of a refused command line, or "" when it was taken.
QString refusal(const QStringList& options) {
    QString error;
    QString help;
    const auto parsed = CommandLine::parse(QStringList{"snapdeck"} + options, &error, &help);
    EXPECT_EQ(parsed.has_value(), error.isEmpty()) << error.toStdString();
    return error;
}

// Why the command line refuses the port "text" of a real camera; "" when it takes it.
// Without real cameras the port is read all the same, as the library would take it.
QString portRefusal(const QString& text) {
    if (!kRealCameras)
        return readCameraPort(text).problem;
    return refusal({QStringLiteral("--camera=gphoto2"), QStringLiteral("--port=") + text});
}

} // namespace

// A mistyped option is refused before ftp.ini is read or a camera opened, with a word
// on what to type instead.
TEST(CommandLine, TakesTheCamerasItKnowsAndRefusesTheRestWithAReason) {
    for (const char* good : {"--camera=simulator", "--camera=simulator:card"})
        EXPECT_EQ(refusal({good}), QString()) << good;
    if (kRealCameras) {
        for (const char* good : {"--camera=gphoto2", "--port=usb:001,005"})
            EXPECT_EQ(refusal({good}), QString()) << good;
        EXPECT_EQ(refusal({"--camera=gphoto2", "--port=ptpip:10.0.0.5"}), QString());
    } else {
        EXPECT_TRUE(refusal({"--camera=gphoto2"}).contains(QStringLiteral("--camera=simulator")));
        EXPECT_TRUE(refusal({"--port=usb:001,005"}).contains(QStringLiteral("--port")));
    }

    EXPECT_TRUE(refusal({"--camera=simulater"}).contains(QStringLiteral("--camera=simulator")));
    EXPECT_TRUE(refusal({"--camera=simulator:"}).contains(QStringLiteral("folder")));
    EXPECT_TRUE(
        refusal({"--camera=simulator", "--port=usb:001,005"}).contains(QStringLiteral("--port")))
        << "a port the simulated camera would silently ignore";
    EXPECT_FALSE(refusal({"--camara=simulator"}).isEmpty()) << "an unknown option is refused";

    QString error;
    QString help;
    EXPECT_FALSE(CommandLine::parse({"snapdeck", "--help"}, &error, &help).has_value());
    EXPECT_TRUE(help.contains(QStringLiteral("--screenshot")));
}

// A port libgphoto2 cannot use would fail at every connection check, for ever, with a
// message blaming the camera; it is refused at once instead, naming the option and
// showing a port that works.
TEST(CommandLine, TakesThePortFormsTheLibraryUsesAndRefusesTheRestWithAnExample) {
    for (const char* good :
         {"usb:001,005", "usb:1,5", "ptpip:10.0.0.5", "ptpip:10.0.0.5:15740",
          "ptpip:10.0.0.5:15740:15741", "ptpip:192.168.1.10:1:65535", "PTPIP:10.0.0.5"})
        EXPECT_EQ(portRefusal(QString::fromLatin1(good)), QString()) << good;

    for (const char* bad : {"ptpip:localhost",
                            "ptpip:",
                            "ptpip:camera.local:15740",
                            "ptpip:10.0.0.5:",
                            "ptpip:10.0.0.5:0",
                            "ptpip:10.0.0.5:65536:15740",
                            "ptpip:10.0.0.5:15740:",
                            "ptpip:10.0.0.5:15740:99999",
                            "ptpip:10.0.0.5:1:2:3",
                            "ptpip::15740:15740",
                            "ptpip:10.0.0",
                            "ptpip:10.0.0.256",
                            "ptpip:10.0.0.5:+80",
                            "ptpip:10.0.0.5:0x50",
                            "ptpip:[::1]:15740",
                            "usb:",
                            "usb:001",
                            "usb:001,",
                            "usb:a,b",
                            "usb:001,005,007",
                            "serial:/dev/ttyS0",
                            "disk:/media/card",
                            "127.0.0.1",
                            ""}) {
        const QString option = QStringLiteral("--port=") + bad;
        const QString error = portRefusal(QString::fromLatin1(bad));
        EXPECT_TRUE(error.startsWith(option + u':')) << bad << ": " << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("e.g. --port="))) << error.toStdString();
        EXPECT_FALSE(error.contains(u'\n')) << error.toStdString();
    }
}

// What reaches libgphoto2: the exact text it finds a USB camera by, and the event port
// a single PTP/IP port would otherwise leave at 15740.
TEST(CommandLine, PortsAreWrittenAsTheLibraryTakesThem) {
    EXPECT_EQ(readCameraPort(QStringLiteral("usb:1,5")).path, QStringLiteral("usb:001,005"));
    EXPECT_EQ(readCameraPort(QStringLiteral("usb:001,005")).path, QStringLiteral("usb:001,005"));
    EXPECT_EQ(readCameraPort(QStringLiteral("ptpip:10.0.0.5")).path,
              QStringLiteral("ptpip:10.0.0.5"));
    EXPECT_EQ(readCameraPort(QStringLiteral("ptpip:10.0.0.5:5000")).path,
              QStringLiteral("ptpip:10.0.0.5:5000:5000"));
    EXPECT_EQ(readCameraPort(QStringLiteral("ptpip:192.168.001.010:05000:05001")).path,
              QStringLiteral("ptpip:192.168.1.10:5000:5001"))
        << "the library reads a leading zero as octal";
}

// The program itself: one line on standard error and exit status 2, before any window.
TEST(CommandLine, TheProgramEndsAtOnceWithStatus2OnABadPort) {
    QProcess program;
    QTemporaryDir runtimeDir; // else Qt warns about its absence on standard error
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SNAPDECK_PROGRAM), {QStringLiteral("--port=ptpip:localhost")});
    ASSERT_TRUE(program.waitForStarted());
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        FAIL() << "the program started instead of refusing the port";
    }
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 2);
    const QString error = QString::fromUtf8(program.readAllStandardError()).trimmed();
    EXPECT_TRUE(error.startsWith(kRealCameras ? QStringLiteral("--port=ptpip:localhost:")
                                              : QStringLiteral("--port ")))
        << error.toStdString();
    EXPECT_FALSE(error.contains(u'\n')) << error.toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
}

// A file manager starts the program with the files it was asked to open: they are
// ignored (the program opens no files) and the program starts all the same; an unknown
// option is still refused with status 2. The station's options go together.
TEST(CommandLine, FilesFromAFileManagerAreIgnoredAndTheStationsOptionsGoTogether) {
    QString error;
    QString help;
    const auto parsed = CommandLine::parse(
        {"snapdeck", "/home/user/photo.jpg", "--camera=simulator"}, &error, &help);
    ASSERT_TRUE(parsed.has_value()) << error.toStdString();
    EXPECT_EQ(parsed->ignored, QStringList{"/home/user/photo.jpg"});

    QProcess program;
    program.start(QStringLiteral(SNAPDECK_PROGRAM), {QStringLiteral("--x")});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 2);

    EXPECT_TRUE(refusal({"--check"}).contains(QStringLiteral("--station=FILE")));
    EXPECT_TRUE(
        refusal({"--station=s.ini", "--camera=simulator"}).contains(QStringLiteral("--camera")));
    const auto station =
        CommandLine::parse({"snapdeck", "--station=s.ini", "--check"}, &error, &help);
    ASSERT_TRUE(station.has_value()) << error.toStdString();
    EXPECT_EQ(station->stationFile, QStringLiteral("s.ini"));
    EXPECT_TRUE(station->checkOnly);
}
