#include "BatteryLevel.h"

#include "ChoiceMatching.h"

#include <algorithm>
#include <cmath>

namespace snapdeck::gphoto2 {

int batteryPercent(const QString& text) {
    if (auto number = firstNumber(text))
        return std::clamp(int(std::lround(*number)), 0, 100);
    struct Word {
        const char* word;
        int percent;
    };
    // Checked in this order: "very low" is low before it is anything else.
    static const Word words[] = {
        {"empty", 0},   {"exhausted", 0}, {"dead", 0},      {"critical", 5},
        {"very", 5},    {"low", 20},      {"half", 50},     {"medium", 50},
        {"normal", 75}, {"good", 75},     {"high", 75},     {"ok", 75},
        {"full", 100},  {"ac", 100},      {"adapter", 100}, {"external", 100}};
    const QStringList found = wordsOf(text);
    for (const Word& word : words)
        if (found.contains(QLatin1String(word.word)))
            return word.percent;
    return 100;
}

int batteryPercent(float value, float minimum, float maximum) {
    if (maximum <= minimum)
        return 100;
    const double share = (double(value) - minimum) / (double(maximum) - minimum);
    return std::clamp(int(std::lround(share * 100)), 0, 100);
}

} // namespace snapdeck::gphoto2
