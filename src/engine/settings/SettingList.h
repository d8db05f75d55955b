#pragma once

#include <QStringList>
#include <array>

namespace snapdeck {

// The nine setting lists, in the order the frame shows them.
enum class SettingList {
    ImageSize,
    ExposureMode,
    WhiteBalance,
    Flash,
    Shutter,
    Aperture,
    Iso,
    Monitor,
    FocusMode,
};
constexpr int kSettingListCount = 9;

constexpr std::array<SettingList, kSettingListCount> kAllSettingLists = {
    SettingList::ImageSize, SettingList::ExposureMode, SettingList::WhiteBalance,
    SettingList::Flash,     SettingList::Shutter,      SettingList::Aperture,
    SettingList::Iso,       SettingList::Monitor,      SettingList::FocusMode,
};

// The captions of a list's entries, from its table: the program's own words, the same
// in every language (the station's configuration names entries by them).
QStringList settingCaptions(SettingList list);
// The same captions as the list shows them, in the user's language.
QStringList shownSettingCaptions(SettingList list);
// The entry a list shows once start-up has filled it ("1/30" for the shutter, the first
// entry for the others), and whether filling leaves it disabled (aperture and shutter
// wait for manual exposure).
int initialPosition(SettingList list);
bool disabledAfterFill(SettingList list);

} // namespace snapdeck
