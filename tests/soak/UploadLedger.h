#pragma once

#include <QString>
#include <QStringList>

namespace snapdeck::soak {

// What the uploads came to, checked against what is on the server.
struct UploadCount {
    int attempted = 0;
    int done = 0;              // no message box: the picture should be on the server
    int failed = 0;            // the upload said so in a message box
    int onServer = 0;          // pictures in the server's folder
    int doneAndIdentical = 0;  // of "done": on the server, byte for byte the disk's file
    int failedButOnServer = 0; // of "failed": there anyway
    int partFiles = 0;         // half-sent files the server kept
    QStringList missing;       // "done" but not on the server, or different
};

// Each upload the engine started, checked on the server as soon as it ends: an upload
// that reported no failure must have put the very bytes of the picture there. Keeps
// counts only, so that its memory does not grow with the run.
class UploadLedger {
public:
    UploadLedger(QString workFolder, QString serverFolder)
        : workFolder_(std::move(workFolder)), serverFolder_(std::move(serverFolder)) {}

    void note(const QString& fileName, bool failed);
    // The counts, with the pictures on the server counted now.
    UploadCount count() const;

private:
    QString workFolder_;
    QString serverFolder_;
    UploadCount count_;
};

} // namespace snapdeck::soak
