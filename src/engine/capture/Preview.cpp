#include "Preview.h"

#include "PictureFiles.h"
#include "TransferBar.h"
#include "camera/Camera.h"
#include "common/AtomicFile.h"
#include "common/ErrorTrap.h"
#include "engine/EngineContext.h"

namespace snapdeck {

void Preview::take() {
    if (context_.loading || context_.previewsDeferred || !context_.previewsWanted)
        return;
    if (context_.commandsWaiting && context_.commandsWaiting()) {
        leftOver_ = true;
        return;
    }
    takeNow();
}

void Preview::takeIfLeftOver() {
    if (!leftOver_)
        return;
    leftOver_ = false;
    if (!context_.loading)
        takeNow();
}

void Preview::takeNow() {
    leftOver_ = false;
    const BusyWhile busy(context_);
    runTrapped(context_.services.messages, [&] {
        const QByteArray picture =
            context_.services.camera.takePreview(transferProgressInto(context_));
        if (picture.isEmpty())
            return;
        const QString path = context_.services.folder.path(kPreviewFileName);
        writeFileAtomically(path, picture);
        checkShowable(path);
        context_.observer->previewStored(path);
        context_.state.transfer.value = 0;
    });
}

} // namespace snapdeck
