#pragma once

#include "FtpSettings.h"
#include "UploadTransport.h"

#include <QCoreApplication>
#include <QString>

namespace snapdeck {

class EngineContext;

// Sends one captured picture to the server of the FTP settings, reporting each step in
// the state's upload line and each failure in a message box. Every step has a time
// limit, and so has the whole upload; the picture stays on disk whatever happens.
class FtpUpload {
    Q_DECLARE_TR_FUNCTIONS(FtpUpload)

public:
    FtpUpload(EngineContext& context, FtpSettings settings)
        : context_(context), settings_(std::move(settings)) {}

    void setSettings(const FtpSettings& settings) { settings_ = settings; }
    const FtpSettings& settings() const { return settings_; }
    TransportOptions& transportOptions() { return options_; }

    // fileName: a picture in the working folder, also its name on the server. Reports
    // its own failures and passes none on.
    void send(const QString& fileName);
    // Whether the settings in use cannot send "fileName" at all (a service without a
    // transport, a control character); says why in a message box when so.
    bool refuses(const QString& fileName);

private:
    void runSteps(const QString& fileName);
    void showStatus(const QString& text);
    void sayWhy(StepResult result, const QString& stepFailure, bool critical = false);
    void say(const QString& text, bool critical = false);

    EngineContext& context_;
    FtpSettings settings_;
    TransportOptions options_;
};

} // namespace snapdeck
