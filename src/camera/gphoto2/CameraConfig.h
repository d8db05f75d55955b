#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace snapdeck::gphoto2 {

class Gphoto2Session;

// One of the camera's configuration entries as libgphoto2 shows it (its "widget").
struct ConfigEntry {
    enum class Kind { Text, Choice, Range, Toggle, Other };
    Kind kind = Kind::Other;
    bool readOnly = false;
    QString text;                             // Text and Choice: the current value
    float number = 0;                         // Range: the current value; Toggle: 0 or 1
    QStringList choices;                      // Choice
    float minimum = 0, maximum = 0, step = 0; // Range
};

// Reads and writes the camera's configuration entries by their libgphoto2 names
// ("f-number", "imagesize", ...).
namespace CameraConfig {
// The entry, or nothing when the camera has no entry of that name.
std::optional<ConfigEntry> read(Gphoto2Session& session, const char* name);
// "settingName" is the setting's name for the user, used in error messages. Writing a
// read-only entry is an error naming the setting and its current value; callers leave
// an entry alone when it already holds what they want.
void writeChoice(Gphoto2Session& session, const char* name, const QString& choice,
                 const QString& settingName);
void writeNumber(Gphoto2Session& session, const char* name, float value,
                 const QString& settingName);
} // namespace CameraConfig

} // namespace snapdeck::gphoto2
