#include "SettingList.h"

#include "camera/CameraSettings.h"

namespace snapdeck {

namespace {

template <typename Entries> QStringList captionsOf(const Entries& entries) {
    QStringList captions;
    for (const auto& entry : entries)
        captions.append(entry.caption.toString());
    return captions;
}

constexpr int kOneThirtiethPosition = 15; // "1/30"

} // namespace

QStringList settingCaptions(SettingList list) {
    using namespace settingTables;
    switch (list) {
    case SettingList::ImageSize:
        return captionsOf(imageSizes());
    case SettingList::ExposureMode:
        return captionsOf(exposureModes());
    case SettingList::WhiteBalance:
        return captionsOf(whiteBalances());
    case SettingList::Flash:
        return captionsOf(flashModes());
    case SettingList::Shutter:
        return captionsOf(shutterTimes());
    case SettingList::Aperture:
        return captionsOf(apertures());
    case SettingList::Iso:
        return captionsOf(isoSpeeds());
    case SettingList::Monitor:
        return captionsOf(monitorModes());
    case SettingList::FocusMode:
        return captionsOf(focusModes());
    }
    return {};
}

QStringList shownSettingCaptions(SettingList list) {
    QStringList captions = settingCaptions(list);
    for (QString& caption : captions)
        caption = shownCaption(caption.toUtf8());
    return captions;
}

int initialPosition(SettingList list) {
    return list == SettingList::Shutter ? kOneThirtiethPosition : 0;
}

bool disabledAfterFill(SettingList list) {
    return list == SettingList::Shutter || list == SettingList::Aperture;
}

} // namespace snapdeck
