#include "PictureSender.h"

#include <QFileInfo>

namespace snapdeck {

SendOutcome sendPicture(const UploadDestination& destination, const QString& localPath,
                        const QStringList& remoteNames, const TransportOptions& options,
                        const std::function<void(const SendOutcome&)>& entering) {
    using Stage = SendOutcome::Stage;
    SendOutcome outcome;
    const auto enter = [&](Stage stage) {
        outcome.stage = stage;
        if (entering)
            entering(outcome);
    };
    enter(Stage::Opening);
    const std::unique_ptr<UploadTransport> transport =
        openTransport(destination, options, uploadDeadline(options, QFileInfo(localPath).size()));
    if (!transport) {
        outcome.result = StepResult::Failed;
        return outcome;
    }
    enter(Stage::Connecting);
    outcome.result = transport->connect();
    if (outcome.result != StepResult::Done)
        return outcome;
    if (!destination.folder.isEmpty()) {
        enter(Stage::ChangingFolder);
        outcome.result = transport->changeFolder(destination.folder);
        if (outcome.result == StepResult::Failed) {
            outcome.folderMissing = true; // the picture goes to the login folder
            outcome.result = StepResult::Done;
        } else if (outcome.result != StepResult::Done) {
            return outcome;
        }
    }
    enter(Stage::Sending);
    for (const QString& name : remoteNames) {
        outcome.result = transport->sendFile(localPath, name);
        if (outcome.result != StepResult::Done)
            return outcome;
    }
    outcome.stage = Stage::Done;
    return outcome;
}

} // namespace snapdeck
