#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <optional>

namespace snapdeck {

class ConnectionMonitor;
class EngineContext;

// How a capture names and notes its picture, where a face needs more than the window's
// rule ("image.jpg", or a name from the date).
struct CaptureRequest {
    QString fileName; // empty: the window's rule
    // Hears how many pictures the card holds just before the shot: the shot's picture
    // will be listed after them, so a face that notes this can find the picture later
    // even if the capture ends before the camera names it.
    std::function<void(int picturesBefore)> beforeShot;
    // Hears the picture's name on the card once it is taken, before it is copied: a face
    // that notes it can copy the picture later if this capture cannot.
    std::function<void(const QString& cardName)> shotOnCard;
};
class LensControl;
class SettingsControl;

// Capture: one full picture from the camera into a file in the working folder, shown
// in the large picture box, removed from the card when it is not to stay there, handed
// to the upload, and the camera's counters read back.
class Capture {
    Q_DECLARE_TR_FUNCTIONS(Capture)

public:
    using Upload = std::function<void(const QString& fileName)>;
    using QueueUpload = std::function<void(const QString& path, const QString& fileName)>;

    Capture(EngineContext& context, ConnectionMonitor& monitor, SettingsControl& settings,
            LensControl& lens)
        : context_(context), monitor_(monitor), settings_(settings), lens_(lens) {}

    // Where a stored picture goes while uploads are switched on: sent at once after it is
    // shown, or queued as soon as it is on disk, before the capture reports it.
    void setUpload(Upload upload) { upload_ = std::move(upload); }
    void setQueueUpload(QueueUpload queue) { queueUpload_ = std::move(queue); }

    // One capture, start to finish. A step that fails because the camera does not
    // answer is repeated after a connection check; a shot that timed out is never fired
    // again without asking; any other error ends the capture with the error message
    // box. Never passes an error on. True when a picture was stored on disk.
    bool take(const CaptureRequest& request = {});

    // Work on a picture an earlier capture left on the card. Each reports its own
    // errors; NotOnCard only once the card was listed to its end.
    enum class CardStep { Done, NotOnCard, Failed };
    // Copies the picture into "fileName", as a capture stores its picture, and removes
    // it from the card unless pictures are kept there.
    CardStep copyFromCard(const QString& cardName, const QString& fileName);
    // The name of the picture a shot put on the card after "picturesBefore" pictures
    // (the card lists its newest last).
    CardStep nameShotOnCard(int picturesBefore, QString& cardName);
    // Deletes a picture that is on disk already and was to leave the card.
    CardStep removeFromCard(const QString& cardName);

    // Reads the picture counters, the image size and the lens positions back. Reports
    // its own errors.
    void refreshCameraState();

private:
    void run(const CaptureRequest& request);
    // Runs "step" with the errors trapped; Failed when it did not run to its end.
    template <typename Step> CardStep onCard(Step&& step);
    std::optional<int> findOnCard(const QString& cardName);
    void takePictureOnce();
    void storePicture(int number, const QString& fileName);
    QString pictureFileName() const;
    QString whereThePictureIs() const;
    void setStatus(const QString& text);

    EngineContext& context_;
    ConnectionMonitor& monitor_;
    SettingsControl& settings_;
    LensControl& lens_;
    Upload upload_;
    QueueUpload queueUpload_;
    // How far this capture came with its picture, for the message when it fails.
    enum class Picture { NotTaken, OnCard, Stored, StoredAndDone };
    Picture picture_ = Picture::NotTaken;
    // This capture wrote its picture to disk.
    bool stored() const { return picture_ >= Picture::Stored; }
    QString storedPath_;
};

} // namespace snapdeck
