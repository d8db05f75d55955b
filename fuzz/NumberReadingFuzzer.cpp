// The number readers of the schedule boxes and of ftp.ini, checked against references
// that read the same text another way: strtod on the longest run of number characters,
// and nearbyint (round to nearest, ties to even) for the rounding.
#include "FuzzText.h"
#include "common/NumberReading.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace snapdeck;

namespace {

[[noreturn]] void fail(const char* what, const QString& text) {
    std::fprintf(stderr, "%s for \"%s\"\n", what, qPrintable(text));
    std::abort();
}

bool numberCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-' || c == u'e' ||
           c == u'E';
}

bool sameDouble(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

// strtod on the characters that can belong to a decimal number, read from the start;
// anything strtod does not take reads as 0.
double referenceLeading(const QString& text) {
    std::string ascii;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n')
            continue;
        if (!numberCharacter(c))
            break;
        ascii.push_back(static_cast<char>(c.unicode()));
    }
    return std::strtod(ascii.c_str(), nullptr);
}

// The whole trimmed text must be taken by strtod, "," read as "."; nothing otherwise.
std::optional<double> referenceReal(const QString& text) {
    std::string ascii;
    for (QChar c : text.trimmed()) {
        if (c == u',')
            c = u'.';
        if (!numberCharacter(c))
            return std::nullopt;
        ascii.push_back(static_cast<char>(c.unicode()));
    }
    if (ascii.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(ascii.c_str(), &end);
    if (end != ascii.c_str() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void checkRounding(double value, const QString& text) {
    const double rounded = roundHalfEven(value);
    if (std::isnan(value))
        return;
    if (rounded != std::nearbyint(value))
        fail("roundHalfEven differs from nearbyint", text);
    const std::optional<std::int16_t> whole = roundToInt16(value);
    const bool fits = rounded >= -32768 && rounded <= 32767;
    if (whole.has_value() != fits || (whole && *whole != rounded))
        fail("roundToInt16 disagrees with the rounded value", text);
}

void checkText(const QString& text) {
    const double leading = leadingNumber(text);
    if (std::isnan(leading))
        fail("leadingNumber gave NaN", text);
    if (!sameDouble(leading, referenceLeading(text)))
        fail("leadingNumber differs from strtod", text);
    checkRounding(leading, text);

    const std::optional<double> real = readRealNumber(text);
    const std::optional<double> expectedReal = referenceReal(text);
    if (real.has_value() != expectedReal.has_value() || (real && !sameDouble(*real, *expectedReal)))
        fail("readRealNumber differs from strtod", text);

    const std::optional<std::int16_t> whole = readWholeNumber16(text);
    const std::optional<std::int16_t> expectedWhole =
        real ? roundToInt16(*real) : std::optional<std::int16_t>();
    if (whole != expectedWhole)
        fail("readWholeNumber16 is not the rounded strict reading", text);
    if (whole && readWholeNumber16(QString::number(*whole)) != whole)
        fail("readWholeNumber16 does not read its own number back", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    checkText(fuzz::textFrom(input));
    // Any double, and the halves around it, through the rounding.
    if (input.remaining_bytes() >= sizeof(double)) {
        const double value = input.ConsumeFloatingPoint<double>();
        checkRounding(value, QString::number(value, 'g', 17));
        checkRounding(std::floor(value) + 0.5, QStringLiteral("half above"));
    }
    return 0;
}
