#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>

namespace snapdeck {

class ConnectionMonitor;
class EngineContext;

// How a capture names and notes its picture, where a face needs more than the window's
// rule ("image.jpg", or a name from the date).
struct CaptureRequest {
    QString fileName; // empty: the window's rule
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

    // Copies a picture that is still on the card (left there by an earlier capture that
    // could not finish) into "fileName", as a capture stores its picture, and removes it
    // from the card unless pictures are kept there. Reports its own errors.
    enum class CardCopy { Copied, NotOnCard, Failed };
    CardCopy copyFromCard(const QString& cardName, const QString& fileName);

    // Reads the picture counters, the image size and the lens positions back. Reports
    // its own errors.
    void refreshCameraState();

private:
    void run(const CaptureRequest& request);
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
    bool stored_ = false; // this capture wrote its picture to disk
    // How far this capture came with its picture, for the message when it fails.
    enum class Picture { NotTaken, OnCard, Stored, StoredAndDone };
    Picture picture_ = Picture::NotTaken;
    QString storedPath_;
};

} // namespace snapdeck
