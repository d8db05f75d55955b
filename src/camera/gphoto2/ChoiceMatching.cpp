#include "ChoiceMatching.h"

#include <QRegularExpression>
#include <cmath>

namespace snapdeck::gphoto2 {

std::optional<double> firstNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("(\\d+)(?:[.,](\\d+))?"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString digits = match.captured(1);
    if (match.hasCaptured(2))
        digits += u'.' + match.captured(2);
    return digits.toDouble();
}

QStringList wordsOf(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    return text.toLower().split(separators, Qt::SkipEmptyParts);
}

int nearestOnLogScale(const QList<double>& values, double target) {
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < values.size(); ++i) {
        if (values[i] <= 0 || target <= 0)
            continue;
        const double distance = std::abs(std::log(values[i] / target));
        const bool closer = distance < bestDistance - 1e-9;
        const bool tieButSmaller =
            std::abs(distance - bestDistance) <= 1e-9 && best >= 0 && values[i] < values[best];
        if (best < 0 || closer || tieButSmaller) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

QStringList withCurrentFirst(const QStringList& choices, const QString& current) {
    QStringList ordered = choices;
    if (!current.isEmpty()) {
        ordered.removeAll(current);
        ordered.prepend(current);
    }
    return ordered;
}

} // namespace snapdeck::gphoto2
