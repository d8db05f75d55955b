#include "AutoIsoSwitch.h"

#include "ChoiceMatching.h"
#include "ExposureChoices.h"

namespace snapdeck::gphoto2 {

IsoWrites isoWrites(const QStringList& isoChoices, bool hasAutoIsoSwitch, IsoSpeed speed) {
    if (!hasAutoIsoSwitch)
        return {};
    if (speed != IsoSpeed::Auto)
        return {false, true};
    // A camera with both keeps its switch as it is and takes its own "Auto" choice.
    if (isoChoice(isoChoices, IsoSpeed::Auto).status == ChoicePick::Status::Found)
        return {};
    return {true, false};
}

std::optional<QString> switchChoice(const QStringList& choices, bool on) {
    static const QStringList onWords = {QStringLiteral("on"), QStringLiteral("enable"),
                                        QStringLiteral("enabled")};
    static const QStringList offWords = {QStringLiteral("off"), QStringLiteral("disable"),
                                         QStringLiteral("disabled")};
    const QStringList& wanted = on ? onWords : offWords;
    for (const QString& choice : choices) {
        const QStringList words = wordsOf(choice);
        for (const QString& word : wanted)
            if (words.contains(word))
                return choice;
    }
    return std::nullopt;
}

} // namespace snapdeck::gphoto2
