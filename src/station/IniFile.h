#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace snapdeck {

// One "key = value" line of an INI file, with where it stands.
struct IniValue {
    QString section;
    QString key;
    QString value;
    int line = 0;
};

// An INI file read by our own small reader, which says which line is wrong: UTF-8 text,
// "[section]" headers, "key = value" lines, comments from "#" or ";" to the line's end
// (a value that needs either quotes it: "a;b"), blank lines. Keys are case-sensitive and
// may be any letters; a key given twice in a section is an error, as are lines of
// any other shape and bytes that are not UTF-8.
struct IniFile {
    std::vector<IniValue> values;

    // Nothing and "error" set ("line N: ...") when the text is not such a file.
    static std::optional<IniFile> parse(const QByteArray& bytes, QString* error);
};

} // namespace snapdeck
