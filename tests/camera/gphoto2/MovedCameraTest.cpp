#include "camera/gphoto2/MovedCamera.h"

#include <gtest/gtest.h>

using snapdeck::gphoto2::CameraTarget;
using snapdeck::gphoto2::movedCamera;

namespace {

const QString kNikon = QStringLiteral("Nikon DSC D5100 (PTP mode)");
const QString kCanon = QStringLiteral("Canon EOS 600D");

TEST(MovedCamera, AUsbCameraBackUnderANewNumberIsFoundByItsModelWhenItIsTheOnlyOne) {
    const CameraTarget lost{kNikon, QStringLiteral("usb:001,005")};
    const CameraTarget back{kNikon, QStringLiteral("usb:001,006")};
    const CameraTarget other{kCanon, QStringLiteral("usb:002,003")};

    const auto found = movedCamera(lost, kNikon, {other, back});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->port, back.port);
    EXPECT_EQ(found->model, kNikon);

    // Opened by port alone: the model it was opened as decides.
    const CameraTarget byPort{QString(), QStringLiteral("usb:001,005")};
    EXPECT_EQ(movedCamera(byPort, kNikon, {other, back}).value_or(CameraTarget{}).port, back.port);

    // Not back yet, only other models, or still at its old port: nothing to switch to.
    EXPECT_FALSE(movedCamera(lost, kNikon, {}));
    EXPECT_FALSE(movedCamera(lost, kNikon, {other}));
    EXPECT_FALSE(movedCamera(lost, kNikon, {lost}));
}

TEST(MovedCamera, TwoCamerasOfTheModelOrAModelUnknownOrANetworkCameraAreNeverGuessed) {
    const CameraTarget lost{kNikon, QStringLiteral("usb:001,005")};
    const CameraTarget first{kNikon, QStringLiteral("usb:001,006")};
    const CameraTarget second{kNikon, QStringLiteral("usb:002,002")};
    EXPECT_FALSE(movedCamera(lost, kNikon, {first, second}));
    EXPECT_FALSE(movedCamera({QString(), lost.port}, QString(), {first}));

    const CameraTarget network{kNikon, QStringLiteral("ptpip:192.168.1.10")};
    EXPECT_FALSE(movedCamera(network, kNikon, {first}));
    EXPECT_FALSE(movedCamera(lost, kNikon, {network}));
}

} // namespace
