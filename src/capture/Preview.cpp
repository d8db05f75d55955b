#include "Preview.h"

#include "PictureBox.h"
#include "PictureFileName.h"
#include "PictureSize.h"
#include "TransferBar.h"
#include "app/Globals.h"
#include "app/Services.h"
#include "app/WindowState.h"
#include "camera/CameraControl.h"
#include "common/AtomicFile.h"
#include "common/ErrorTrap.h"
#include "common/WorkFolder.h"

#include <QProgressBar>

namespace snapdeck {

Preview::Preview(Services& services, Globals& globals, const WindowState& state,
                 QProgressBar& prgFile, PictureBox& Image2)
    : services_(services), globals_(globals), state_(state), prgFile_(prgFile), Image2_(Image2) {}

void Preview::ShowPreview() {
    if (state_.FormLoading || state_.previewsDeferred)
        return;
    runTrapped(services_.messages, [&] {
        CameraControl& camera = services_.camera;
        std::int32_t& cam = globals_.CameraNumber;
        camera.TakePreview(cam);
        camera.SelectedPicture(cam, 0);
        std::int32_t byteCount = checkedPictureSize(camera.GetPictureSize(cam));
        setTransferScale(prgFile_, byteCount);
        if (byteCount == 0)
            return;
        QByteArray buffer(byteCount, Qt::Uninitialized);
        camera.DownloadPreview(cam, byteCount, buffer);
        const QString path = services_.folder.path(kPreviewFileName);
        writeFileAtomically(path, buffer.constData(), copiedBytes(byteCount, buffer));
        Image2_.loadFile(path);
        prgFile_.setValue(0);
    });
}

} // namespace snapdeck
