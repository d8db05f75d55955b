#include "ExposureChoices.h"

#include "ChoiceMatching.h"
#include "ShutterTimes.h"

#include <QCoreApplication>
#include <cmath>
#include <optional>
#include <vector>

namespace snapdeck::gphoto2 {

namespace {

// PTP reports automatic ISO as 0xFFFF (some cameras 0xFFFFFF).
constexpr double kAutoIsoValue = 65535;

bool isAutoIso(const QString& choice) {
    if (wordsOf(choice).contains(QLatin1String("auto")))
        return true;
    const auto number = firstNumber(choice);
    return number && *number >= kAutoIsoValue;
}

// The choice whose number (read by "valueOf") is nearest to "target".
template <typename ValueOf>
std::optional<QString> nearestChoice(const QStringList& choices, double target, ValueOf valueOf) {
    QList<double> values;
    QStringList candidates;
    for (const QString& choice : choices) {
        if (const std::optional<double> value = valueOf(choice)) {
            values << *value;
            candidates << choice;
        }
    }
    const int nearest = nearestOnLogScale(values, target);
    if (nearest < 0)
        return std::nullopt;
    return candidates[nearest];
}

ChoicePick pickNearest(const std::optional<QString>& choice, const QString& meaning) {
    return choice ? ChoicePick::found(*choice, meaning) : ChoicePick::noMatch(meaning);
}

QString shutterMeaning(std::int64_t microseconds) {
    if (microseconds >= 1000000)
        return QCoreApplication::translate("ExposureChoices", "%1 с")
            .arg(QString::number(microseconds / 1e6, 'g', 3));
    return QStringLiteral("1/%1").arg(QString::number(1e6 / double(microseconds), 'g', 3));
}

enum class Program { Manual, Bulb, Movie, ProgramAuto, FullAuto, Other };

Program programOf(const QString& choice) {
    const QString text = choice.trimmed().toLower();
    const QStringList words = wordsOf(choice);
    if (words.contains(QLatin1String("bulb")))
        return Program::Bulb;
    if (words.contains(QLatin1String("movie")) || words.contains(QLatin1String("video")))
        return Program::Movie;
    if (text == QLatin1String("m") || words.contains(QLatin1String("manual")))
        return Program::Manual;
    if (text == QLatin1String("p") || words.contains(QLatin1String("program")))
        return Program::ProgramAuto;
    if (words.contains(QLatin1String("auto")) || words.contains(QLatin1String("automatic")) ||
        words.contains(QLatin1String("green")))
        return Program::FullAuto;
    return Program::Other;
}

} // namespace

ChoicePick isoChoice(const QStringList& choices, IsoSpeed speed) {
    const std::optional<QString> meaning = captionOf(settingTables::isoSpeeds(), speed);
    if (!meaning)
        return ChoicePick::unknownCode();
    if (speed == IsoSpeed::Auto) {
        for (const QString& choice : choices)
            if (isAutoIso(choice))
                return ChoicePick::found(choice, *meaning);
        return ChoicePick::noMatch(*meaning);
    }
    const auto choice = nearestChoice(choices, isoSensitivity(speed), [](const QString& text) {
        return isAutoIso(text) ? std::nullopt : firstNumber(text);
    });
    return pickNearest(choice, *meaning);
}

ChoicePick apertureChoice(const QStringList& choices, int aperture) {
    if (aperture <= 0)
        return ChoicePick::unknownCode();
    const double fNumber = aperture / 10.0;
    const auto choice = nearestChoice(choices, fNumber, firstNumber);
    return pickNearest(choice, QStringLiteral("f/%1").arg(QString::number(fNumber, 'f', 1)));
}

int apertureCode(const QString& text) {
    const auto number = firstNumber(text);
    return number ? int(std::lround(*number * 10)) : 0;
}

ChoicePick shutterChoice(const QStringList& choices, std::int64_t microseconds) {
    if (microseconds <= 0)
        return ChoicePick::unknownCode();
    const auto choice = nearestChoice(choices, double(microseconds), [](const QString& text) {
        const auto time = shutterMicroseconds(text);
        return time ? std::optional<double>(double(*time)) : std::nullopt;
    });
    return pickNearest(choice, shutterMeaning(microseconds));
}

std::int32_t shutterCode(const QString& text) {
    const auto time = shutterMicroseconds(text);
    if (!time || *time > INT32_MAX)
        return 0;
    return std::int32_t(nominalShutterMicroseconds(*time));
}

ChoicePick programChoice(const QStringList& choices, ExposureMode mode) {
    const std::optional<QString> meaning = captionOf(settingTables::exposureModes(), mode);
    if (!meaning)
        return ChoicePick::unknownCode();
    const std::vector<Program> wanted =
        mode == ExposureMode::Manual
            ? std::vector<Program>{Program::Manual}
            : std::vector<Program>{Program::ProgramAuto, Program::FullAuto};
    for (Program program : wanted)
        for (const QString& choice : choices)
            if (programOf(choice) == program)
                return ChoicePick::found(choice, *meaning);
    return ChoicePick::noMatch(*meaning);
}

bool isAutomaticProgram(const QString& text) {
    const Program program = programOf(text);
    return program != Program::Manual && program != Program::Bulb && program != Program::Movie;
}

ExposureMode exposureMode(const QString& text) {
    return programOf(text) == Program::Manual ? ExposureMode::Manual : ExposureMode::Automatic;
}

} // namespace snapdeck::gphoto2
