#include "PtpIpTestCamera.h"
#include "app/Globals.h"
#include "app/MainWindow.h"
#include "app/Services.h"
#include "camera/CameraFactory.h"
#include "capture/Capture.h"
#include "capture/CaptureOptionsFrame.h"
#include "common/Clock.h"
#include "common/ProgramExit.h"
#include "common/WorkFolder.h"
#include "support/RecordingMessages.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

QString sha1Of(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(
        QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
}

// The program as a user starts it with --camera=gphoto2 --port=ptpip:127.0.0.1:P:P:
// the real window on the real library, talking to our PTP/IP camera.
TEST(Gphoto2Window, TheWindowShowsTheModelCapturesTheCamerasBytesAndDeletesThem) {
    test::PtpIpTestCamera device;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WorkFolder folder(dir.path());
    test::RecordingMessages messages;
    ManualClock clock(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3)));
    std::vector<int> programEnds;
    setProgramEndHandler([&](int code) { programEnds.push_back(code); });
    const std::unique_ptr<CameraControl> camera =
        createCamera(CameraOptions{QStringLiteral("gphoto2"), device.portPath()});
    Globals globals;
    Services services{*camera, messages, clock, folder, QLocale(QLocale::Russian, QLocale::Russia)};
    {
        MainWindow window(services, globals);
        window.Form_Load();
        ASSERT_TRUE(programEnds.empty());
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblModel"))->text(),
                  QStringLiteral("Snapdeck PTP/IP Test Camera"));
        // The camera has no screen control and cannot preview (start-up asks for a
        // preview twice: after the focus slider took the camera's position, and last):
        // each is said plainly, and nothing else goes wrong.
        const QStringList shown = messages.texts();
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_TRUE(shown[0].contains(QStringLiteral("«Режим экрана»"))) << shown[0].toStdString();
        for (const QString& text : shown.mid(1))
            EXPECT_TRUE(text.contains(QStringLiteral("не умеет показывать изображение для "
                                                     "просмотра")))
                << text.toStdString();
        messages.clear();

        window.capture().CapturePicture();
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'\n').toStdString();
        const QStringList taken = device.command(QStringLiteral("captured")).split(u' ');
        ASSERT_EQ(taken.size(), 3);
        EXPECT_EQ(sha1Of(folder.path(QStringLiteral("image.jpg"))), taken[1]);
        EXPECT_TRUE(device.files().isEmpty()) << "not kept on the card: deleted";

        window.captureFrame->chkStFlash->setChecked(true);
        window.capture().CapturePicture();
        const QStringList kept = device.command(QStringLiteral("captured")).split(u' ');
        EXPECT_EQ(sha1Of(folder.path(QStringLiteral("image.jpg"))), kept[1]);
        EXPECT_EQ(device.files(), QStringList{kept[0]});
        window.close();
    }
    setProgramEndHandler({});
}

} // namespace
