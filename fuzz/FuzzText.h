#pragma once

#include <QString>
#include <fuzzer/FuzzedDataProvider.h>

namespace snapdeck::fuzz {

// A text as a box could hold it: mostly UTF-8 from the input (invalid bytes become
// U+FFFD), sometimes raw UTF-16 code units, lone surrogates included.
inline QString textFrom(FuzzedDataProvider& input, std::size_t maxLength = 64) {
    if (input.ConsumeBool()) {
        const std::string bytes = input.ConsumeRandomLengthString(maxLength);
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    QString text;
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, maxLength);
    for (std::size_t i = 0; i < length && input.remaining_bytes() >= 2; ++i)
        text.append(QChar(input.ConsumeIntegral<char16_t>()));
    return text;
}

// A text of valid Unicode characters (no lone surrogates), any plane, as typing or
// pasting could give: mostly characters picked from the input one by one.
inline QString charactersFrom(FuzzedDataProvider& input, std::size_t maxLength = 32) {
    QString text;
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, maxLength);
    for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i) {
        char32_t c = input.ConsumeBool() ? input.ConsumeIntegralInRange<char32_t>(0x20, 0x7e)
                                         : input.ConsumeIntegralInRange<char32_t>(0, 0x10ffff);
        if (c >= 0xd800 && c <= 0xdfff)
            c = 0xfffd;
        text.append(QString::fromUcs4(&c, 1));
    }
    return text;
}

} // namespace snapdeck::fuzz
