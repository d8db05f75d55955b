#pragma once

#include "CameraControl.h"
#include "CameraScript.h"
#include "SimulatedCameraConfig.h"
#include "SimulatedCard.h"

#include <QSize>
#include <initializer_list>
#include <memory>

namespace snapdeck {

// A compact camera of our own: the camera users try the program with when no real
// camera is at hand, and the camera of the tests. It behaves like a real compact:
//  - pictures are real JPEGs of a generated scene, at the pixel size of the image-size
//    code (640x480 .. 3264x2448), a few MB at the largest size; the scene's look
//    follows exposure, white balance, zoom and manual focus, and each picture carries
//    its time and number, so no two are byte-identical; previews are small;
//  - a memory card (in memory, or as JPEG files in a folder) numbered 1..n with a
//    capacity whose remaining count depends on the image size;
//  - zoom snaps to the lens's steps, focus keeps its position, the automatic exposure
//    mode chooses aperture and shutter, the manual mode keeps what it is sent;
//  - a battery that drains slowly with use;
//  - the transfer-progress event in several chunks during every copy;
//  - with a card folder, the camera does not answer (error 26) while the folder does
//    not exist, so renaming the folder "unplugs" it.
// Every call is logged and can be scripted to fail or to report a value (script()).
class SimulatedCamera : public CameraControl {
public:
    // A camera with its card in memory.
    explicit SimulatedCamera(SimulatedCameraConfig config = {});
    // A camera whose card is the folder; its properties come from FOLDER/camera.ini.
    static std::unique_ptr<SimulatedCamera> withCardFolder(const QString& folder);
    ~SimulatedCamera() override;

    CameraScript& script() { return script_; }
    const SimulatedCameraConfig& config() const { return config_; }

    // Unplugs (every operation fails with 26) or plugs the camera back in.
    void setUnplugged(bool unplugged) { unplugged_ = unplugged; }
    // Turns the camera's own dials, as a user holding it could.
    void setExposureOnCamera(const ExposureSettings& exposure);
    void setBatteryLevel(int level);
    // Pictures currently on the card.
    int picturesOnCard() const;

    std::int32_t Initialize() override;
    std::int32_t GetCameraCount() override;
    QString GetModelName(std::int32_t& index) override;
    void OpenCamera(std::int32_t index) override;
    void CloseCamera(std::int32_t& cam) override;
    std::int32_t GetPictureCount(std::int32_t& cam) override;
    std::int32_t GetRemainingCount(std::int32_t& cam) override;
    void SelectedPicture(std::int32_t& cam, std::int32_t number) override;
    std::int32_t GetPictureSize(std::int32_t& cam) override;
    void DownloadPicture(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) override;
    void DownloadPreview(std::int32_t& cam, std::int32_t& size, QByteArray& buffer) override;
    void DeletePicture(std::int32_t number) override;
    void TakePreview(std::int32_t cam) override;
    void TakePicture(std::int32_t& cam) override;
    std::int32_t ImageSize(std::int32_t& cam) override;
    void ImageSize(std::int32_t& cam, std::int32_t code) override;
    void WhiteBalance(std::int32_t& cam, std::int32_t code) override;
    void IsoSpeed(std::int32_t& cam, std::int32_t code) override;
    void FlashMode(std::int32_t& cam, std::int32_t code) override;
    void FocusMode(std::int32_t& cam, std::int32_t code) override;
    void SetMonitorMode(std::int32_t& cam, std::int32_t code) override;
    void GetExposure(std::int32_t& cam, ExposureSettings& exposure) override;
    void SetExposure(std::int32_t& cam, ExposureSettings& exposure) override;
    std::int32_t ZoomPosition(std::int32_t& cam) override;
    void ZoomPosition(std::int32_t& cam, std::int32_t& position) override;
    std::int32_t FocusPosition(std::int32_t& cam) override;
    void FocusPosition(std::int32_t& cam, std::int32_t& position) override;
    void GetBatteryStatus(std::int32_t& cam, BatteryStatus& status) override;

private:
    struct State;
    SimulatedCamera(SimulatedCameraConfig config, std::unique_ptr<SimulatedCard> card);
    bool pluggedIn() const;
    void enter(const QString& key, const QString& entry);
    void enterCall(const QString& operation, std::initializer_list<qint64> arguments);
    void enterPut(const QString& property, std::int32_t cam, std::int32_t value);
    std::int32_t reportedOr(const QString& key, qint64 own);
    void enterWithIndex(const QString& operation, std::int32_t index);
    qint64 cardBytes() const;
    std::int32_t remainingPictures() const;
    void transfer(const QByteArray& picture, std::int32_t& size, QByteArray& buffer);
    void requireBattery() const;
    QByteArray shoot(QSize size, int number);

    SimulatedCameraConfig config_;
    std::unique_ptr<SimulatedCard> card_;
    std::unique_ptr<State> state_;
    CameraScript script_;
    bool unplugged_ = false;
};

} // namespace snapdeck
