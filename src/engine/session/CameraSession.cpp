#include "CameraSession.h"

#include "camera/Camera.h"
#include "common/Clock.h"
#include "common/ErrorTrap.h"
#include "common/ProgramExit.h"
#include "common/TextCut.h"
#include "engine/EngineContext.h"
#include "engine/capture/Capture.h"
#include "engine/capture/Preview.h"
#include "engine/schedule/IntervalShooting.h"
#include "engine/session/LackGatherer.h"
#include "engine/settings/SettingsControl.h"

#include <QScopedValueRollback>

namespace snapdeck {

namespace {

// A camera's name is a line, not a page: a long one would stretch the window.
constexpr int kLongestModelName = 64;

} // namespace

QString cameraNotFoundText() {
    return CameraSession::tr(
        "                   Камера не обнаружена!\r\n"
        "         - Проверьте, что камера включена\r\n"
        "          и переведена в режим управления.\r\n"
        "- Проверьте кабель USB и режим USB камеры: PTP (\"ПК\", \"Remote\"),\r\n"
        "  не \"Mass storage\".\r\n"
        "- Закройте программу, открывшую камеру как диск: в файловом\r\n"
        "  менеджере \"Извлечь\", или команда gio mount -s gphoto2.\r\n"
        "- Команда gphoto2 --auto-detect должна показать камеру.");
}

bool CameraSession::load(StartUp startUp) {
    context_.loading = true;
    ready_ = false;
    lacks_.startGathering();
    runTrapped(context_.services.messages, [&] {
        if (!openCamera(startUp))
            return;
        settings_.fillLists();
        context_.loading = false;
        context_.state.zoom.caption = zoomCaption(QStringLiteral("80/240"));
        context_.state.focus.caption = focusCaption(QStringLiteral("0/240"));
        context_.publish();
        {
            // Lens positions read back from the camera move the sliders, whose changes
            // take previews; the one preview below shows them all, and a camera without
            // preview is reported once.
            const QScopedValueRollback deferred(context_.previewsDeferred, true);
            capture_.refreshCameraState();
        }
        if (startUp == StartUp::Window) {
            const ScheduleForm schedule = scheduleStartValues(context_.services.clock.now());
            interval_.setForm(schedule);
            context_.observer->scheduleFilled(schedule);
            preview_.take();
        }
        ready_ = true;
        context_.cameraLost = false;
    });
    lacks_.showGathered();
    return !ending_;
}

// Initialises the camera, ends the window's program when there is none, opens the last
// camera found and shows its model. False when loading cannot go on.
bool CameraSession::openCamera(StartUp startUp) {
    Camera& camera = context_.services.camera;
    if (!camera.initialize()) {
        Message failed;
        failed.text = tr("Ошибка инициализации камеры!\r\n"
                         "Проверьте, что камера подключена и включена, и "
                         "запустите программу снова.");
        failed.icon = MessageIcon::Critical;
        context_.services.messages.show(failed);
        return false;
    }
    const int count = camera.cameraCount();
    if (count == 0) {
        Message notFound;
        notFound.text = cameraNotFoundText();
        notFound.icon = MessageIcon::Critical;
        context_.services.messages.show(notFound);
        // A station has nobody to plug the camera in: it waits for it instead.
        if (startUp == StartUp::Station)
            return false;
        ending_ = true;
        endProgramNow(1);
        return false;
    }
    camera.open(count - 1);
    context_.state.model = cutText(camera.modelName(), kLongestModelName);
    context_.publish();
    return true;
}

void CameraSession::unload() {
    runTrapped(context_.services.messages, [&] {
        context_.services.camera.setMonitorMode(MonitorMode::Off);
        context_.services.camera.close();
    });
}

} // namespace snapdeck
