#pragma once

#include "UploadDestination.h"

#include <QStringList>
#include <functional>

namespace snapdeck {

// How sending one picture went: where it stopped and why.
struct SendOutcome {
    enum class Stage { Opening, Connecting, ChangingFolder, Sending, Done };
    Stage stage = Stage::Opening; // the step that failed; Done when all went through
    StepResult result = StepResult::Done;
    bool folderMissing = false; // the folder was not there: sent to the login folder
    bool sent() const { return stage == Stage::Done; }
};

// Sends the file at "localPath" to "destination" under each of "remoteNames" in turn
// (its own name, then a fixed name it is also published under), over one connection.
// The transports send under a temporary name and rename, so no name ever shows half a
// picture. "entering" hears each step as it starts, with the outcome so far; it may be
// empty.
SendOutcome sendPicture(const UploadDestination& destination, const QString& localPath,
                        const QStringList& remoteNames, const TransportOptions& options,
                        const std::function<void(const SendOutcome&)>& entering = {});

} // namespace snapdeck
