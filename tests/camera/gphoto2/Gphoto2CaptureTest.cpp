#include "Gphoto2TestSupport.h"
#include "PtpIpTestCamera.h"
#include "camera/gphoto2/Gphoto2Camera.h"
#include "camera/gphoto2/Gphoto2Errors.h"
#include "camera/gphoto2/PictureOrder.h"

#include <QCryptographicHash>
#include <memory>

using namespace std::chrono_literals;
using snapdeck::CameraError;
using snapdeck::Gphoto2Camera;
using snapdeck::Gphoto2Options;
using snapdeck::kCameraNotAnswering;
using snapdeck::gphoto2::CardPicture;
using snapdeck::gphoto2::picturesAdded;
using snapdeck::gphoto2::Gphoto2Error::CameraRefused;
using snapdeck::test::errorOf;
using snapdeck::test::PtpIpTestCamera;

namespace {

using Clock = std::chrono::steady_clock;

const QString kInitiateCapture = QStringLiteral("100e");
const QString kOpenSession = QStringLiteral("1002");

// Taking a picture as the program does (takePicture, pictureCount, copy the last) must
// always end at the picture this very shot made, whatever the camera's events say, or
// fail with a clear error before anything is copied or deleted.
class Gphoto2CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        Gphoto2Options options;
        options.port = device.portPath();
        options.callLimit = 1000ms;
        options.captureLimit = 2000ms;
        options.startLimit = 10s;
        camera = std::make_unique<Gphoto2Camera>(options);
        ASSERT_TRUE(camera->initialize());
        ASSERT_EQ(camera->cameraCount(), 1);
        camera->open(0);
    }

    // "<sha1>" of the picture the program copies after a capture: the last one counted,
    // whole. Its number is kept in "newest".
    QByteArray copyOfTheNewest() {
        newest = camera->pictureCount();
        const qint64 size = camera->pictureSize(newest);
        const QByteArray copy = camera->downloadPicture(newest, {});
        EXPECT_EQ(copy.size(), size);
        return QCryptographicHash::hash(copy, QCryptographicHash::Sha1).toHex();
    }
    // "<sha1>" of the picture the camera's last capture made.
    QByteArray capturedSha1() {
        return device.command(QStringLiteral("captured")).split(u' ').value(1).toLatin1();
    }
    int operationsOf(const QString& code) {
        return int(device.command(QStringLiteral("ops")).split(u',').count(code));
    }

    PtpIpTestCamera device;
    std::unique_ptr<Gphoto2Camera> camera;
    int newest = 0;
};

TEST_F(Gphoto2CaptureTest, AShotThatLeftNoJpegIsAClearErrorAndTheOlderPicturesStay) {
    // A name that sorts after the capture's: "the newest by name" would be this one.
    device.command(QStringLiteral("add SNAP9999.JPG 5000"));
    device.command(QStringLiteral("fault rawonly"));
    const CameraError error = errorOf([&] { camera->takePicture(); });
    EXPECT_EQ(error.number(), CameraRefused) << error.what();
    EXPECT_TRUE(error.description().contains(QStringLiteral("JPEG"))) << error.what();
    EXPECT_EQ(device.files(), QStringList{QStringLiteral("SNAP9999.JPG")});

    // The camera stays usable, and its next JPEG is found as usual.
    device.command(QStringLiteral("heal"));
    camera->takePicture();
    EXPECT_EQ(copyOfTheNewest(), capturedSha1());
}

TEST_F(Gphoto2CaptureTest, ACompletionWithoutAFileEventFindsTheNewPictureOnTheCard) {
    device.command(QStringLiteral("add SNAP9999.JPG 5000"));
    device.command(QStringLiteral("fault nofileevent"));
    camera->takePicture();
    EXPECT_EQ(camera->pictureCount(), 2);
    EXPECT_EQ(copyOfTheNewest(), capturedSha1());
    camera->deletePicture(newest);
    EXPECT_EQ(device.files(), QStringList{QStringLiteral("SNAP9999.JPG")});
}

TEST_F(Gphoto2CaptureTest, AFileEventAfterTheCompletionStillNamesThePicture) {
    device.command(QStringLiteral("latefile 0.3"));
    const int sessionsBefore = operationsOf(kOpenSession);
    camera->takePicture();
    EXPECT_EQ(copyOfTheNewest(), capturedSha1());
    // Named by its event: the card did not have to be listed in a new session.
    EXPECT_EQ(operationsOf(kOpenSession), sessionsBefore);
}

TEST_F(Gphoto2CaptureTest, AShotTakenWithTheCamerasButtonIsNotTakenForTheCapture) {
    // The button shot's "file added" waits in the queue; the capture then reports its
    // completion before its own file.
    const QString buttonShot = device.command(QStringLiteral("buttonshot"));
    device.command(QStringLiteral("latefile 0.3"));
    camera->takePicture();
    const QByteArray copied = copyOfTheNewest();
    EXPECT_EQ(copied, capturedSha1());
    EXPECT_NE(copied, device.command(QStringLiteral("filebytes ") + buttonShot).split(u' ')[0]);
    camera->deletePicture(newest);
    EXPECT_EQ(device.files(), QStringList{buttonShot});
}

TEST_F(Gphoto2CaptureTest, EventsThatAreNotProgressDoNotKeepACaptureWaitingForever) {
    device.command(QStringLiteral("fault chatter"));
    device.command(QStringLiteral("fault nocaptureevents"));
    const auto start = Clock::now();
    EXPECT_EQ(errorOf([&] { camera->takePicture(); }).number(), kCameraNotAnswering);
    EXPECT_LT(Clock::now() - start, 5s);

    // With its events the capture ends as usual, chatter or not.
    device.command(QStringLiteral("heal"));
    device.command(QStringLiteral("fault chatter"));
    camera->takePicture();
    EXPECT_EQ(copyOfTheNewest(), capturedSha1());
}

TEST_F(Gphoto2CaptureTest, ABusyCameraIsAskedAgainAndReportedOnlyWhenItStaysBusy) {
    device.command(QStringLiteral("busy 100E 2"));
    camera->takePicture();
    EXPECT_EQ(operationsOf(kInitiateCapture), 3);
    EXPECT_EQ(copyOfTheNewest(), capturedSha1());

    // Copying right after the shot, while the camera still stores it.
    device.command(QStringLiteral("busy 1009 2"));
    EXPECT_EQ(copyOfTheNewest(), capturedSha1());

    device.command(QStringLiteral("busy 100E 50"));
    const CameraError busy = errorOf([&] { camera->takePicture(); });
    EXPECT_EQ(busy.number(), CameraRefused) << busy.what();
    EXPECT_TRUE(busy.description().contains(QStringLiteral("занята"))) << busy.what();
}

TEST_F(Gphoto2CaptureTest, ARefusalKeepsTheSessionAndAConnectionThatDiedIs26) {
    camera->takePicture();
    const QByteArray taken = capturedSha1();
    const int number = camera->pictureCount();
    camera->pictureSize(number);

    // The camera answered "no": an error of its own, and the session goes on as it is.
    const int sessionsBefore = operationsOf(kOpenSession);
    device.command(QStringLiteral("refuse 1009 1"));
    const CameraError refused = errorOf([&] { camera->downloadPicture(number, {}); });
    EXPECT_EQ(refused.number(), CameraRefused) << refused.what();
    EXPECT_EQ(operationsOf(kOpenSession), sessionsBefore);
    const QByteArray copy = camera->downloadPicture(number, {});
    EXPECT_EQ(QCryptographicHash::hash(copy, QCryptographicHash::Sha1).toHex(), taken);

    // The same unspecified error from a connection that is gone is 26.
    device.command(QStringLiteral("kill"));
    const CameraError gone = errorOf([&] { camera->downloadPicture(number, {}); });
    EXPECT_EQ(gone.number(), kCameraNotAnswering) << gone.what();
}

TEST_F(Gphoto2CaptureTest, ACardListingLongerThanTheLimitGoesOnWhileFoldersArrive) {
    for (const char* folder : {"101SNAP", "102SNAP", "103SNAP", "104SNAP"})
        device.command(QStringLiteral("add P%1.JPG 3000 %1").arg(QLatin1String(folder)));
    // Each folder takes most of the one-second limit; the whole card takes longer.
    device.command(QStringLiteral("listdelay 0.4"));
    const auto start = Clock::now();
    EXPECT_EQ(camera->pictureCount(), 4);
    EXPECT_GT(Clock::now() - start, 1000ms);
}

TEST(PicturesAdded, OnlyWhatTheListingAfterHasAndTheOneBeforeLacks) {
    const CardPicture a{QStringLiteral("/DCIM/100SNAP"), QStringLiteral("A.JPG")};
    const CardPicture b{QStringLiteral("/DCIM/100SNAP"), QStringLiteral("B.JPG")};
    const CardPicture bElsewhere{QStringLiteral("/DCIM/101SNAP"), QStringLiteral("B.JPG")};
    EXPECT_TRUE(picturesAdded({a, b}, {a, b}).isEmpty());
    EXPECT_TRUE(picturesAdded({a, b}, {a}).isEmpty());
    EXPECT_EQ(picturesAdded({a}, {a, b}), QList<CardPicture>{b});
    EXPECT_EQ(picturesAdded({b}, {bElsewhere, b}), QList<CardPicture>{bElsewhere});
    EXPECT_EQ(picturesAdded({}, {b, a}), (QList<CardPicture>{b, a}));
}

} // namespace
