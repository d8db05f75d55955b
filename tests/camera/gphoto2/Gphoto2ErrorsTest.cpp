#include "camera/gphoto2/Gphoto2Errors.h"

#include <gphoto2/gphoto2-port-result.h>
#include <gphoto2/gphoto2-result.h>
#include <gtest/gtest.h>

using namespace snapdeck;
using namespace snapdeck::gphoto2;

namespace {

TEST(Gphoto2Errors, ACameraThatIsGoneIs26AndAClaimedOneSaysHowToFreeIt) {
    for (int gone : {GP_ERROR_IO, GP_ERROR_TIMEOUT, GP_ERROR_IO_USB_FIND, GP_ERROR_IO_READ,
                     GP_ERROR_MODEL_NOT_FOUND, GP_ERROR_IO_USB_CLAIM})
        EXPECT_EQ(libraryError(gone, QStringLiteral("Снимок не сделан"), {}).number(),
                  kCameraNotAnswering)
            << gone;

    const CameraError claimed =
        libraryError(GP_ERROR_IO_USB_CLAIM, QStringLiteral("Камера не открыта"),
                     QStringLiteral("Could not claim the USB device"));
    EXPECT_TRUE(claimed.description().startsWith(QStringLiteral("Камера не открыта: ")));
    EXPECT_TRUE(claimed.description().contains(QStringLiteral("gvfs-gphoto2-volume-monitor")));
    EXPECT_TRUE(claimed.description().contains(QStringLiteral("Could not claim the USB device")));

    // A camera that answered "no" is not a camera that is gone.
    EXPECT_EQ(libraryError(GP_ERROR_NOT_SUPPORTED, {}, {}).number(), Gphoto2Error::NotSupported);
    EXPECT_EQ(libraryError(GP_ERROR_CAMERA_BUSY, {}, {}).number(), Gphoto2Error::CameraRefused);
    EXPECT_EQ(libraryError(GP_ERROR_BAD_PARAMETERS, {}, {}).number(), Gphoto2Error::BadValue);
}

} // namespace
