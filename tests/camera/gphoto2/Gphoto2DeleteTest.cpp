#include "Gphoto2TestSupport.h"
#include "PtpIpTestCamera.h"
#include "camera/gphoto2/CardPictures.h"
#include "camera/gphoto2/Gphoto2Camera.h"
#include "camera/gphoto2/Gphoto2Errors.h"

#include <memory>

using namespace std::chrono_literals;
using snapdeck::CameraError;
using snapdeck::Gphoto2Camera;
using snapdeck::Gphoto2Options;
using snapdeck::gphoto2::roomFreed;
using snapdeck::gphoto2::Gphoto2Error::BadIndex;
using snapdeck::gphoto2::Gphoto2Error::CameraRefused;
using snapdeck::test::errorOf;
using snapdeck::test::PtpIpTestCamera;

namespace {

const QString kOpenSession = QStringLiteral("1002");

// Deleting a picture on the camera: trusted when the card's free room grows by the
// picture's size, otherwise checked by listing the card in a new session.
class Gphoto2DeleteTest : public ::testing::Test {
protected:
    void SetUp() override {
        Gphoto2Options options;
        options.port = device.portPath();
        options.callLimit = 1000ms;
        options.startLimit = 10s;
        camera = std::make_unique<Gphoto2Camera>(options);
        ASSERT_TRUE(camera->initialize());
        ASSERT_EQ(camera->cameraCount(), 1);
        camera->open(0);
        device.command(QStringLiteral("add SNAP0042.JPG 300000"));
        ASSERT_EQ(camera->pictureCount(), 1);
    }
    // The PTP operations the camera has received so far.
    QStringList operations() {
        return device.command(QStringLiteral("ops")).split(u',', Qt::SkipEmptyParts);
    }

    PtpIpTestCamera device;
    std::unique_ptr<Gphoto2Camera> camera;
};

} // namespace

TEST_F(Gphoto2DeleteTest, APictureWhoseRoomIsFreedIsGoneWithoutANewSession) {
    const qsizetype before = operations().size();
    camera->deletePicture(1);
    EXPECT_TRUE(device.files().isEmpty());
    EXPECT_FALSE(operations().mid(before).contains(kOpenSession))
        << operations().mid(before).join(u',').toStdString();
    EXPECT_EQ(camera->pictureCount(), 0);
}

TEST_F(Gphoto2DeleteTest, ThePictureOfTheNumberGoesAndTheOthersStay) {
    device.command(QStringLiteral("add SNAP0043.JPG 3000"));
    device.command(QStringLiteral("add SNAP0044.JPG 3000"));
    camera->close(); // the driver lists the card afresh in a new session
    ASSERT_EQ(camera->pictureCount(), 3);
    camera->deletePicture(2);
    EXPECT_EQ(device.files(),
              (QStringList{QStringLiteral("SNAP0042.JPG"), QStringLiteral("SNAP0044.JPG")}));
    EXPECT_EQ(camera->pictureCount(), 2);
    camera->deletePicture(2); // numbered afresh: the newest is 2 now
    EXPECT_EQ(device.files(), QStringList{QStringLiteral("SNAP0042.JPG")});
    const CameraError missing = errorOf([&] { camera->deletePicture(2); });
    EXPECT_EQ(missing.number(), BadIndex);
    EXPECT_EQ(device.files(), QStringList{QStringLiteral("SNAP0042.JPG")});
}

TEST_F(Gphoto2DeleteTest, ACameraThatDoesNotReportTheFreedRoomIsCheckedInANewSession) {
    device.command(QStringLiteral("fault samefree"));
    const qsizetype before = operations().size();
    camera->deletePicture(1); // the card listed afresh shows the picture gone: no error
    EXPECT_TRUE(device.files().isEmpty());
    EXPECT_TRUE(operations().mid(before).contains(kOpenSession));
    EXPECT_EQ(camera->pictureCount(), 0);
}

// libgphoto2 2.5 reports a delete the camera refused as done; the message says what
// the camera did, and the card is listed as it really is.
TEST_F(Gphoto2DeleteTest, ARefusedDeleteIsReportedAsRefusedAndThePictureStays) {
    for (const QString& fault :
         {QStringLiteral("deletedenied"), QStringLiteral("writeprotected")}) {
        SCOPED_TRACE(fault.toStdString());
        device.command(QStringLiteral("fault ") + fault);
        const CameraError error = errorOf([&] { camera->deletePicture(1); });
        EXPECT_EQ(error.number(), CameraRefused);
        EXPECT_TRUE(error.description().startsWith(
            QStringLiteral("Камера отказалась удалить снимок SNAP0042.JPG, он остался на карте")))
            << error.description().toStdString();
        EXPECT_EQ(device.files(), QStringList{QStringLiteral("SNAP0042.JPG")});
        EXPECT_EQ(camera->pictureCount(), 1);
        device.command(QStringLiteral("heal"));
    }
}

// A camera that answers the delete as done and keeps the picture is taken at its word
// in the message.
TEST_F(Gphoto2DeleteTest, ADeleteReportedDoneThatLeftThePictureSaysSo) {
    device.command(QStringLiteral("fault keepondelete"));
    const CameraError error = errorOf([&] { camera->deletePicture(1); });
    EXPECT_EQ(error.number(), CameraRefused);
    EXPECT_EQ(error.description(), QStringLiteral("Камера сообщила, что удалила снимок "
                                                  "SNAP0042.JPG, но он остался на карте"));
    EXPECT_EQ(camera->pictureCount(), 1);
}

TEST(Gphoto2RoomFreed, NeedsBothReadingsAndAKnownSize) {
    EXPECT_FALSE(roomFreed(std::nullopt, 1000, 4096));
    EXPECT_FALSE(roomFreed(1000, std::nullopt, 4096));
    EXPECT_FALSE(roomFreed(1000, 2000, 0));
}

TEST(Gphoto2RoomFreed, NeedsThePicturesWholeKibibytesAndAtLeastOne) {
    EXPECT_TRUE(roomFreed(1000, 1004, 4096));
    EXPECT_TRUE(roomFreed(1000, 1004, 5000)) << "4 whole KiB; the rest may round either way";
    EXPECT_FALSE(roomFreed(1000, 1003, 4096));
    EXPECT_FALSE(roomFreed(1000, 1000, 700)) << "a small picture still needs 1 KiB";
    EXPECT_TRUE(roomFreed(1000, 1001, 700));
    EXPECT_FALSE(roomFreed(1000, 990, 4096));
}
