#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include <gphoto2/gphoto2-abilities-list.h>
#include <gphoto2/gphoto2-camera.h>
#include <gphoto2/gphoto2-context.h>
#include <gphoto2/gphoto2-port-info-list.h>

namespace snapdeck::gphoto2 {

// A camera to open: the driver's model name (empty: let the library find out from the
// port) and the port path ("usb:001,005", "ptpip:192.168.1.10:15740").
struct CameraTarget {
    QString model;
    QString port;
};

// libgphoto2's context, drivers and the one open camera. Lives on the library thread
// and is used only there.
class Gphoto2Session {
    Q_DECLARE_TR_FUNCTIONS(Gphoto2Session)

public:
    // "cancelled" is asked by the library during long calls; true stops them.
    explicit Gphoto2Session(std::function<bool()> cancelled);
    ~Gphoto2Session();
    Gphoto2Session(const Gphoto2Session&) = delete;
    Gphoto2Session& operator=(const Gphoto2Session&) = delete;

    // Loads the camera drivers and port drivers once; later calls do nothing.
    void loadDrivers();
    // Raises a clear error when libgphoto2 knows no port with this path.
    void checkPortPath(const QString& path);
    // The cameras on the ports now (USB cameras; network cameras are not detected).
    QList<CameraTarget> detect();

    void open(const CameraTarget& target);
    // Ends the session with the camera; never fails.
    void close();
    bool isOpen() const { return camera_ != nullptr; }
    // True after an error that means the camera stopped answering: the session is
    // closed and opened afresh before the next use.
    bool lost() const { return lost_; }
    void markLost() { lost_ = true; }

    // libgphoto2's camera (the library's global Camera, not the program's interface).
    ::Camera* camera() const { return camera_; }
    GPContext* context() const { return context_; }

    // Raises the program's error for a failed call (result < 0); 26-class results also
    // mark the session lost. Returns the result otherwise.
    // libgphoto2 gives the same unspecified error for a camera that refused and for a
    // connection that died under it (PTP/IP reports a closed socket so); for those the
    // camera is asked a harmless question in the same session, and one that does not
    // answer is error 26 and the session is lost. The session is never opened afresh
    // here: that would drop what the caller knows of it (the card, the capture target).
    int check(int result, const QString& action);

private:
    static void collectError(GPContext* context, const char* text, void* data);
    static GPContextFeedback askCancel(GPContext* context, void* data);
    QString takeLibraryMessages();
    GPPortInfoList* freshPortList();

    std::function<bool()> cancelled_;
    bool stillAnswers();

    GPContext* context_ = nullptr;
    CameraAbilitiesList* abilities_ = nullptr;
    ::Camera* camera_ = nullptr;
    QStringList messages_;
    bool opening_ = false;
    bool lost_ = false;
};

} // namespace snapdeck::gphoto2
