#pragma once

#include "SimulatedCameraConfig.h"
#include "SimulatedCard.h"
#include "camera/Camera.h"

#include <QCoreApplication>
#include <QSize>
#include <memory>

namespace snapdeck {

// A compact camera of our own: the camera users try the program with when no real
// camera is at hand, and the camera of the tests. It behaves like a real compact:
//  - pictures are real JPEGs of a generated scene, at the pixel size of the image size
//    (640x480 .. 3264x2448), a few MB at the largest size; the scene's look follows
//    exposure, white balance, zoom and manual focus, and each picture carries its time
//    and number, so no two are byte-identical; previews are small;
//  - live view: frames of the scene as it is now, stamped with the time, up to 25 a
//    second at the configured size (640x480 unless camera.ini says otherwise);
//  - a memory card (in memory, or as JPEG files in a folder) numbered 1..n with a
//    capacity whose remaining count depends on the image size;
//  - zoom snaps to the lens's steps, focus keeps its position, the automatic exposure
//    mode chooses aperture and shutter, the manual mode keeps what it is sent;
//  - a battery that drains slowly with use;
//  - copies that report their progress in several chunks;
//  - with a card folder, the camera does not answer (error 26) while the folder does
//    not exist, so renaming the folder "unplugs" it.
class SimulatedCamera : public Camera {
    Q_DECLARE_TR_FUNCTIONS(SimulatedCamera)

public:
    // A camera with its card in memory.
    explicit SimulatedCamera(SimulatedCameraConfig config = {});
    // A camera whose card is the folder; its properties come from FOLDER/camera.ini.
    static std::unique_ptr<SimulatedCamera> withCardFolder(const QString& folder);
    ~SimulatedCamera() override;

    const SimulatedCameraConfig& config() const { return config_; }

    // What a person holding the camera could do: unplug it (every operation then fails
    // with 26) and plug it back in, turn its dials, change its battery.
    void setUnplugged(bool unplugged) { unplugged_ = unplugged; }
    void setExposureOnCamera(const Exposure& exposure);
    void setBatteryLevel(int level);
    // Pictures currently on the card.
    int picturesOnCard() const;

    bool initialize() override;
    int cameraCount() override;
    void open(int index) override;
    QString modelName() override;
    void close() override;
    CameraCapabilities capabilities() override;

    int pictureCount() override;
    int remainingCount() override;
    qint64 pictureSize(int number) override;
    QString pictureName(int number) override;
    QByteArray downloadPicture(int number, const TransferProgress& progress) override;
    void deletePicture(int number) override;
    void takePicture() override;
    QByteArray takePreview(const TransferProgress& progress) override;
    QByteArray liveFrame() override;

    ImageSize imageSize() override;
    void setImageSize(ImageSize size) override;
    void setWhiteBalance(WhiteBalance balance) override;
    void setIsoSpeed(IsoSpeed speed) override;
    void setFlashMode(FlashMode mode) override;
    void setFocusMode(FocusMode mode) override;
    void setMonitorMode(MonitorMode mode) override;
    Exposure exposure() override;
    void setExposure(const Exposure& exposure) override;

    int zoom() override;
    void setZoom(int position) override;
    int focus() override;
    void setFocus(int position) override;

    int batteryPercent() override;

private:
    struct State;
    SimulatedCamera(SimulatedCameraConfig config, std::unique_ptr<SimulatedCard> card);
    bool pluggedIn() const;
    // Every operation but the two that find the camera needs it plugged in, started and
    // there at all.
    void requireCamera() const;
    qint64 cardBytes() const;
    int remainingPictures() const;
    void requireBattery() const;
    struct Shot {
        QSize size;
        QString label;   // after the time in the stamp
        int quality = 0; // JPEG quality, 0: the camera's usual
        bool milliseconds = false;
    };
    QByteArray shoot(const Shot& shot);

    SimulatedCameraConfig config_;
    std::unique_ptr<SimulatedCard> card_;
    std::unique_ptr<State> state_;
    bool unplugged_ = false;
};

} // namespace snapdeck
