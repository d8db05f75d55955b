#include "CameraSettings.h"

#include "CameraSettingsFrame.h"
#include "LensFrame.h"
#include "SettingLists.h"
#include "app/Globals.h"
#include "app/Services.h"
#include "app/WindowState.h"
#include "camera/CameraControl.h"
#include "capture/Preview.h"
#include "common/ErrorTrap.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QSlider>

namespace snapdeck {

CameraSettings::CameraSettings(Services& services, Globals& globals, WindowState& state,
                               CameraSettingsFrame& lists, LensFrame& lens, QLabel& RemCnt,
                               Preview& preview)
    : services_(services), globals_(globals), state_(state), lists_(lists), lens_(lens),
      RemCnt_(RemCnt), preview_(preview) {
    connectLists();
}

void CameraSettings::connectLists() {
    const auto onSelection = [this](QComboBox* list, void (CameraSettings::*handler)()) {
        QObject::connect(list, &QComboBox::currentIndexChanged, list, [this, handler](int index) {
            if (index >= 0) // -1: the list was emptied, nothing was chosen
                (this->*handler)();
        });
    };
    onSelection(lists_.combReso, &CameraSettings::combReso_Click);
    onSelection(lists_.combExpMode, &CameraSettings::combExpMode_Click);
    onSelection(lists_.combWB, &CameraSettings::combWB_Click);
    onSelection(lists_.combFlash, &CameraSettings::combFlash_Click);
    onSelection(lists_.combShutter, &CameraSettings::combShutter_Click);
    onSelection(lists_.combAperture, &CameraSettings::combAperture_Click);
    onSelection(lists_.combISO, &CameraSettings::combISO_Click);
    onSelection(lists_.combLCD, &CameraSettings::combLCD_Click);
    onSelection(lists_.combFocusMode, &CameraSettings::combFocusMode_Click);
}

void CameraSettings::combReso_Click() {
    runTrapped(services_.messages, [&] {
        std::int32_t& cam = globals_.CameraNumber;
        services_.camera.ImageSize(cam, selectedCode(*lists_.combReso));
        RemCnt_.setText(QString::number(services_.camera.GetRemainingCount(cam)));
    });
}

void CameraSettings::combISO_Click() {
    if (runTrapped(services_.messages, [&] {
            services_.camera.IsoSpeed(globals_.CameraNumber, selectedCode(*lists_.combISO));
        }))
        preview_.ShowPreview();
}

void CameraSettings::combWB_Click() {
    if (runTrapped(services_.messages, [&] {
            services_.camera.WhiteBalance(globals_.CameraNumber, selectedCode(*lists_.combWB));
        }))
        preview_.ShowPreview();
}

void CameraSettings::combFlash_Click() {
    runTrapped(services_.messages, [&] {
        services_.camera.FlashMode(globals_.CameraNumber, selectedCode(*lists_.combFlash));
    });
}

void CameraSettings::combLCD_Click() {
    runTrapped(services_.messages, [&] {
        const std::int32_t code = selectedCode(*lists_.combLCD);
        services_.camera.SetMonitorMode(globals_.CameraNumber, code);
        // White while the camera's screen is off, green while it is on.
        const QColor colour =
            code == SettingCode::MonitorOff ? QColor(255, 255, 255) : QColor(0, 255, 0);
        QPalette palette = lists_.combLCD->palette();
        palette.setColor(QPalette::Button, colour);
        palette.setColor(QPalette::Base, colour);
        lists_.combLCD->setPalette(palette);
    });
}

void CameraSettings::combFocusMode_Click() {
    if (runTrapped(services_.messages, [&] {
            const std::int32_t code = selectedCode(*lists_.combFocusMode);
            if (code == SettingCode::FocusMacro || code == SettingCode::FocusAuto)
                lens_.scrollFocus->setEnabled(false);
            else if (code == SettingCode::FocusManual)
                lens_.scrollFocus->setEnabled(true);
            services_.camera.FocusMode(globals_.CameraNumber, code);
            SyncExposure();
        }))
        preview_.ShowPreview();
}

void CameraSettings::combExpMode_Click() {
    if (runTrapped(services_.messages, [&] {
            SyncExposure(); // finishes a read-back still pending
            std::int32_t& cam = globals_.CameraNumber;
            CameraControl& camera = services_.camera;
            switch (selectedCode(*lists_.combExpMode)) {
            case ExposureMode::Manual:
                lists_.combAperture->setEnabled(true);
                lists_.combShutter->setEnabled(true);
                state_.Exposure.mode = ExposureMode::Manual;
                camera.SetExposure(cam, state_.Exposure);
                camera.GetExposure(cam, state_.Exposure);
                SyncExposure();
                break;
            case ExposureMode::Automatic:
                lists_.combAperture->setEnabled(false);
                lists_.combShutter->setEnabled(false);
                state_.Exposure.mode = ExposureMode::Automatic;
                camera.SetExposure(cam, state_.Exposure);
                break;
            default:
                break;
            }
        }))
        preview_.ShowPreview();
}

void CameraSettings::combAperture_Click() {
    chooseExposureField(&ExposureSettings::aperture, *lists_.combAperture);
}

void CameraSettings::combShutter_Click() {
    chooseExposureField(&ExposureSettings::shutter, *lists_.combShutter);
}

void CameraSettings::chooseExposureField(std::int32_t ExposureSettings::*field,
                                         const QComboBox& list) {
    runTrapped(services_.messages, [&] {
        // A read-back in progress changes the lists itself; those changes are not choices.
        if (state_.ExposureBusy)
            return;
        state_.ExposureBusy = true;
        state_.Exposure.*field = selectedCode(list);
        services_.camera.SetExposure(globals_.CameraNumber, state_.Exposure);
        SyncExposure();
    });
}

void CameraSettings::SyncExposure() {
    if (!state_.ExposureBusy)
        return;
    CameraControl& camera = services_.camera;
    std::int32_t& cam = globals_.CameraNumber;
    ExposureSettings& exposure = state_.Exposure;

    camera.GetExposure(cam, exposure);
    if (exposure.mode == ExposureMode::Automatic)
        return;
    if (const auto label = ApertureLabelForCode(exposure.aperture))
        lists_.combAperture->setCurrentText(*label);
    exposure.aperture = selectedCode(*lists_.combAperture);
    camera.SetExposure(cam, exposure);
    if (exposure.shutter < SettingCode::FastestShutter) {
        exposure.shutter = SettingCode::ShutterOneThirtieth;
        camera.SetExposure(cam, exposure);
    }
    if (state_.FormLoading)
        return;
    if (const auto label = ShutterLabelForCode(exposure.shutter))
        lists_.combShutter->setCurrentText(*label);
    state_.ExposureBusy = false;
}

} // namespace snapdeck
