#include "SettingsControl.h"

#include "camera/Camera.h"
#include "common/ErrorTrap.h"
#include "engine/EngineContext.h"
#include "engine/capture/Preview.h"

namespace snapdeck {

namespace {

template <typename Entries> auto valueAt(const Entries& entries, int position) {
    return entries[static_cast<size_t>(position)].value;
}

} // namespace

int SettingsControl::selected(SettingList list) const {
    return context_.state.list(list).selected;
}

void SettingsControl::choose(SettingList list, int position) {
    if (position < 0 || position >= settingCaptions(list).size())
        return;
    context_.state.list(list).selected = position;
    context_.publish();
    apply(list);
}

void SettingsControl::fillLists() {
    for (const SettingList list :
         {SettingList::ImageSize, SettingList::Iso, SettingList::WhiteBalance, SettingList::Monitor,
          SettingList::ExposureMode, SettingList::Flash, SettingList::FocusMode,
          SettingList::Aperture, SettingList::Shutter}) {
        choose(list, initialPosition(list));
        if (disabledAfterFill(list)) {
            context_.state.list(list).enabled = false;
            context_.publish();
        }
    }
}

void SettingsControl::apply(SettingList list) {
    using namespace settingTables;
    Camera& camera = context_.services.camera;
    MessagePresenter& messages = context_.services.messages;
    const int position = selected(list);
    switch (list) {
    case SettingList::ImageSize:
        return applyImageSize();
    case SettingList::Iso:
        if (runTrapped(messages, [&] { camera.setIsoSpeed(valueAt(isoSpeeds(), position)); }))
            preview_.take();
        return;
    case SettingList::WhiteBalance:
        if (runTrapped(messages,
                       [&] { camera.setWhiteBalance(valueAt(whiteBalances(), position)); }))
            preview_.take();
        return;
    case SettingList::Flash:
        runTrapped(messages, [&] { camera.setFlashMode(valueAt(flashModes(), position)); });
        return;
    case SettingList::Monitor:
        return applyMonitorMode();
    case SettingList::FocusMode:
        return applyFocusMode();
    case SettingList::ExposureMode:
        return applyExposureMode();
    case SettingList::Aperture:
        return applyExposureField(&Exposure::aperture, list);
    case SettingList::Shutter:
        return applyExposureField(&Exposure::shutter, list);
    }
}

void SettingsControl::applyImageSize() {
    runTrapped(context_.services.messages, [&] {
        Camera& camera = context_.services.camera;
        camera.setImageSize(valueAt(settingTables::imageSizes(), selected(SettingList::ImageSize)));
        context_.state.picturesRemaining = camera.remainingCount();
        context_.publish();
    });
}

void SettingsControl::applyMonitorMode() {
    runTrapped(context_.services.messages, [&] {
        const MonitorMode mode =
            valueAt(settingTables::monitorModes(), selected(SettingList::Monitor));
        context_.services.camera.setMonitorMode(mode);
        // White while the camera's screen is off, green while it is on.
        context_.state.monitorListLit = mode != MonitorMode::Off;
        context_.publish();
    });
}

void SettingsControl::applyFocusMode() {
    if (runTrapped(context_.services.messages, [&] {
            const FocusMode mode =
                valueAt(settingTables::focusModes(), selected(SettingList::FocusMode));
            if (mode == FocusMode::Macro || mode == FocusMode::Auto)
                context_.state.focus.enabled = false;
            else if (mode == FocusMode::Manual)
                context_.state.focus.enabled = true;
            context_.publish();
            context_.services.camera.setFocusMode(mode);
            syncExposure();
        }))
        preview_.take();
}

void SettingsControl::applyExposureMode() {
    if (runTrapped(context_.services.messages, [&] {
            syncExposure(); // finishes a read-back still pending
            Camera& camera = context_.services.camera;
            Exposure& exposure = context_.exposure;
            const ExposureMode mode =
                valueAt(settingTables::exposureModes(), selected(SettingList::ExposureMode));
            const bool manual = mode == ExposureMode::Manual;
            context_.state.list(SettingList::Aperture).enabled = manual;
            context_.state.list(SettingList::Shutter).enabled = manual;
            context_.publish();
            exposure.mode = mode;
            camera.setExposure(exposure);
            if (manual) {
                exposure = camera.exposure();
                syncExposure();
            }
        }))
        preview_.take();
}

void SettingsControl::applyExposureField(int Exposure::*field, SettingList list) {
    runTrapped(context_.services.messages, [&] {
        // A read-back in progress changes the lists itself; those changes are not choices.
        if (context_.exposureBusy)
            return;
        context_.exposureBusy = true;
        const auto entries = list == SettingList::Aperture ? settingTables::apertures()
                                                           : settingTables::shutterTimes();
        context_.exposure.*field = valueAt(entries, selected(list));
        context_.services.camera.setExposure(context_.exposure);
        syncExposure();
    });
}

void SettingsControl::syncExposure() {
    if (!context_.exposureBusy)
        return;
    Camera& camera = context_.services.camera;
    Exposure& exposure = context_.exposure;

    exposure = camera.exposure();
    if (exposure.mode == ExposureMode::Automatic)
        return;
    ListState& apertureList = context_.state.list(SettingList::Aperture);
    if (const std::optional<int> position = aperturePositionFor(exposure.aperture)) {
        apertureList.selected = *position;
        context_.publish();
    }
    exposure.aperture =
        apertureList.selected >= 0 ? valueAt(settingTables::apertures(), apertureList.selected) : 0;
    camera.setExposure(exposure);
    if (exposure.shutter < kFastestListedShutter) {
        exposure.shutter = kOneThirtiethSecond;
        camera.setExposure(exposure);
    }
    if (context_.loading)
        return;
    if (const std::optional<int> position = shutterPositionFor(exposure.shutter)) {
        context_.state.list(SettingList::Shutter).selected = *position;
        context_.publish();
    }
    context_.exposureBusy = false;
}

} // namespace snapdeck
