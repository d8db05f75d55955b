#pragma once

#include "UploadTransport.h"

#include <QString>

class QLabel;
class QWidget;

namespace snapdeck {

class MessagePresenter;
class WorkFolder;
struct FtpSettings;

// Sends one captured picture to the server of the FTP settings, reporting each step in
// "lblFTP" and each failure in a message box. Blocks the window thread while it runs,
// as everything in the program does; every step has a timeout, and so has the whole
// upload. "statusArea", a widget
// that holds "lblFTP", is repainted at once after each change of the line, its hiding
// at the end included; the same pass paints whatever else waits to be painted.
class FtpUpload {
public:
    FtpUpload(const FtpSettings& settings, const WorkFolder& folder, MessagePresenter& messages,
              QLabel& lblFTP, QWidget& statusArea);

    // fileName: a picture in the working folder, also its name on the server. Reports
    // its own failures and passes none on.
    void UploadPictureByFtp(const QString& fileName);

    TransportOptions& transportOptions() { return options_; }

private:
    void runSteps(const QString& fileName);
    void showStatus(const QString& text);
    void sayWhy(StepResult result, const QString& stepFailure, bool critical = false);
    void say(const QString& text, bool critical = false);

    const FtpSettings& settings_;
    const WorkFolder& folder_;
    MessagePresenter& messages_;
    QLabel& lblFTP_;
    QWidget& statusArea_;
    TransportOptions options_;
};

} // namespace snapdeck
