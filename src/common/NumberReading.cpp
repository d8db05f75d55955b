#include "NumberReading.h"

#include <cmath>
#include <limits>
#include <string>

namespace snapdeck {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Scans a number in "chars" (blanks already removed) and returns how many characters
// it used; 0 when the text does not begin with a number.
qsizetype scanNumber(const std::u16string& chars, bool commaIsPoint) {
    qsizetype i = 0;
    const qsizetype n = static_cast<qsizetype>(chars.size());
    auto digitAt = [&](qsizetype k) { return k < n && chars[k] >= u'0' && chars[k] <= u'9'; };
    auto pointAt = [&](qsizetype k) {
        return k < n && (chars[k] == u'.' || (commaIsPoint && chars[k] == u','));
    };
    if (i < n && (chars[i] == u'+' || chars[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (digitAt(i)) {
        ++i;
        ++digits;
    }
    if (pointAt(i)) {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (digitAt(j)) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (chars[i] == u'e' || chars[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (chars[j] == u'+' || chars[j] == u'-'))
            ++j;
        if (digitAt(j)) {
            while (digitAt(j))
                ++j;
            i = j;
        }
    }
    return i;
}

double toDouble(const std::u16string& chars, qsizetype length) {
    std::string ascii;
    ascii.reserve(static_cast<size_t>(length));
    for (qsizetype k = 0; k < length; ++k)
        ascii.push_back(chars[k] == u',' ? '.' : static_cast<char>(chars[k]));
    // strtod follows the C locale's decimal point, which the program never changes.
    return std::strtod(ascii.c_str(), nullptr);
}

} // namespace

double leadingNumber(const QString& text) {
    std::u16string chars;
    chars.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text)
        if (!isBlank(c))
            chars.push_back(c.unicode());
    const qsizetype used = scanNumber(chars, false);
    return used == 0 ? 0.0 : toDouble(chars, used);
}

double roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5)
        return floor;
    if (diff > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<double> readRealNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    const std::u16string chars(reinterpret_cast<const char16_t*>(trimmed.utf16()),
                               static_cast<size_t>(trimmed.size()));
    const qsizetype used = scanNumber(chars, true);
    if (used == 0 || used != static_cast<qsizetype>(chars.size()))
        return std::nullopt;
    const double value = toDouble(chars, used);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> roundToInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> readWholeNumber16(const QString& text) {
    const std::optional<double> value = readRealNumber(text);
    if (!value)
        return std::nullopt;
    return roundToInt16(*value);
}

} // namespace snapdeck
