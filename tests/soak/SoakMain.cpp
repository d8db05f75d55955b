#include "SoakReport.h"
#include "SoakRun.h"
#include "StationSoak.h"

#include <QGuiApplication>
#include <cstdio>

using namespace snapdeck::soak;

namespace {

void say(const QString& text) {
    std::fputs(qPrintable(text), stdout);
    std::fflush(stdout);
}

// snapdeck_soak station [rounds] [seed]: the headless station's own rounds with the
// faults of the seed, "kill -9" restarts included.
int runStationMode(const QStringList& arguments) {
    StationSoakOptions options;
    bool roundsOk = true;
    bool seedOk = true;
    if (arguments.size() > 2)
        options.rounds = arguments[2].toInt(&roundsOk);
    if (arguments.size() > 3)
        options.seed = arguments[3].toULongLong(&seedOk);
    if (!roundsOk || !seedOk || options.rounds <= 0 || arguments.size() > 4) {
        std::fputs("usage: snapdeck_soak station [rounds (10000)] [seed (1)]\n", stderr);
        return 2;
    }
    options.warmupRounds = std::min(500, options.rounds / 10);
    options.progress = [](const QString& line) { say(QStringLiteral("  ... ") + line + u'\n'); };
    StationSoakFigures figures;
    QString failure;
    if (!runStationSoak(options, figures, &failure)) {
        say(QStringLiteral("soak: could not set up the station: ") + failure + u'\n');
        return 2;
    }
    say(stationSoakReport(figures));
    constexpr qint64 kMemoryToleranceKiB = 2048;
    const QStringList problems = stationSoakProblems(figures, kMemoryToleranceKiB);
    for (const QString& problem : problems)
        say(QStringLiteral("FAILED: ") + problem + u'\n');
    if (problems.isEmpty())
        say(QStringLiteral("PASSED: no picture lost, no name twice, all on the server, memory "
                           "flat\n"));
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

// snapdeck_soak [shots] [seed]: the station through that many interval shots with the
// faults of the seed; prints the figures and exits 0 when nothing was lost, nothing hung
// and memory stayed flat, 1 otherwise, 2 when the station could not be set up.
// snapdeck_soak station [rounds] [seed]: the same for the headless station.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A GUI application without windows: the simulated camera imprints the date with
    // fonts, as a real one does on its own.
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() > 1 && arguments[1] == QStringLiteral("station"))
        return runStationMode(arguments);

    SoakOptions options;
    bool shotsOk = true;
    bool seedOk = true;
    if (arguments.size() > 1)
        options.shots = arguments[1].toInt(&shotsOk);
    if (arguments.size() > 2)
        options.seed = arguments[2].toULongLong(&seedOk);
    if (!shotsOk || !seedOk || options.shots <= 0 || arguments.size() > 3) {
        std::fputs("usage: snapdeck_soak [shots (10000)] [seed (1)]\n", stderr);
        return 2;
    }
    options.warmupShots = std::min(1000, options.shots / 10);
    options.progress = [](const QString& line) { say(QStringLiteral("  ... ") + line + u'\n'); };

    SoakFigures figures;
    QString failure;
    if (!runSoak(options, figures, &failure)) {
        say(QStringLiteral("soak: could not set up the station: ") + failure + u'\n');
        return 2;
    }
    say(soakReport(figures));
    constexpr qint64 kMemoryToleranceKiB = 4096;
    const QStringList problems = soakProblems(figures, kMemoryToleranceKiB);
    for (const QString& problem : problems)
        say(QStringLiteral("FAILED: ") + problem + u'\n');
    if (problems.isEmpty())
        say(QStringLiteral("PASSED: no picture lost, no hang, memory flat\n"));
    return problems.isEmpty() ? 0 : 1;
}
