#pragma once

#include <QString>

namespace snapdeck {

// The text's first "length" UTF-16 units at most, never splitting a character that
// takes two of them (an emoji, a rare letter); blanks at the cut dropped.
inline QString cutText(const QString& text, qsizetype length) {
    if (text.size() <= length)
        return text;
    const qsizetype end = length > 0 && text.at(length - 1).isHighSurrogate() ? length - 1 : length;
    return text.left(end).trimmed();
}

} // namespace snapdeck
