#pragma once

#include "camera/CameraSettings.h"

#include <QString>
#include <optional>
#include <span>

namespace snapdeck::gphoto2 {

// The camera's choice for one of the program's setting values.
struct ChoicePick {
    enum class Status {
        Found,       // "choice" is the camera's text to write
        UnknownCode, // the program has no such value for this setting
        NoMatch      // the camera offers nothing near the value's meaning
    };
    Status status = Status::UnknownCode;
    QString choice;
    QString meaning; // the value's meaning for the user, in the user's language, for messages

    static ChoicePick found(QString choice, QString meaning) {
        return {Status::Found, std::move(choice), std::move(meaning)};
    }
    static ChoicePick noMatch(QString meaning) { return {Status::NoMatch, {}, std::move(meaning)}; }
    static ChoicePick unknownCode() { return {}; }
};

// The caption the program's lists show for a setting value, which is its meaning in
// messages; nothing for a value the table does not list.
template <typename Value>
std::optional<QString> captionOf(std::span<const SettingEntry<Value>> table, Value value) {
    for (const SettingEntry<Value>& entry : table)
        if (entry.value == value)
            return shownCaption(entry.caption);
    return std::nullopt;
}

} // namespace snapdeck::gphoto2
