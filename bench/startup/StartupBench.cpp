// Start-up to the window shown: from the moment the process is started until the main
// window has painted, and until it shows the camera's state (start-up runs in the
// engine, on its own thread), with the simulated camera, beside an empty Qt window
// started the same way. Each start is a new process (startup_probe) in an empty working
// folder.
//
//   startup_bench [FOLDER]

#include "support/BenchStats.h"
#include "support/MachineInfo.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

using namespace snapdeck::bench;

namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Runs the probe once; the stages it reached, in milliseconds since the start, or
// nothing when it failed.
QMap<QString, double> runProbe(const QByteArray& probe, bool empty) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    QByteArray path = probe;
    QByteArray flag = "--empty";
    char* argv[] = {path.data(), empty ? flag.data() : nullptr, nullptr};

    const long long start = monotonicNs();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    QByteArray output;
    char chunk[4096];
    for (ssize_t n; (n = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        output.append(chunk, n);
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return {};

    QMap<QString, double> stages;
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 2)
            stages.insert(QString::fromLatin1(words[0]),
                          double(words[1].toLongLong() - start) / 1e6);
    }
    return stages;
}

const char* const kStages[] = {"main", "app", "built", "shown", "painted", "loaded", "ready"};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir dir(parent + QStringLiteral("/startup-bench-XXXXXX"));
    if (!dir.isValid() || chdir(QFile::encodeName(dir.path()).constData()) != 0)
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    printMachine(dir.path());
    const QByteArray probe = QFile::encodeName(QCoreApplication::applicationDirPath() +
                                               QStringLiteral("/startup_probe"));
    const int repeat = repetitions(15);

    // Alternating the two windows spreads the machine's noise over both alike.
    QMap<QString, Samples> ours, empty;
    runProbe(probe, false); // the first start reads the libraries from the disk
    for (int i = 0; i < repeat; ++i) {
        for (const bool emptyWindow : {false, true}) {
            const QMap<QString, double> stages = runProbe(probe, emptyWindow);
            if (!stages.contains(QStringLiteral("ready"))) {
                std::fprintf(stderr, "startup_bench: the probe failed\n");
                return 1;
            }
            QMap<QString, Samples>& into = emptyWindow ? empty : ours;
            for (auto it = stages.begin(); it != stages.end(); ++it)
                into[it.key()].add(it.value());
        }
    }

    std::printf("\nStart-up to the window painted (%s, simulated camera), medians of %d "
                "starts,\nmilliseconds since the process was started:\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM")), repeat);
    std::printf("%-9s %10s %12s\n", "stage", "program", "empty window");
    for (const char* stage : kStages) {
        const QString key = QString::fromLatin1(stage);
        std::printf("%-9s %10.1f %12.1f\n", stage, ours[key].median(), empty[key].median());
    }
    for (const QString& key : {QStringLiteral("painted"), QStringLiteral("ready")})
        std::printf("%s: program %s, empty window %s, ratio %.2fx\n", qPrintable(key),
                    qPrintable(ours[key].text()),
                    qPrintable(empty[QStringLiteral("painted")].text()),
                    ours[key].median() / empty[QStringLiteral("painted")].median());
    std::printf("  main = the loader and libraries; app = QApplication; built = the engine "
                "and the window\n  made; shown = shown and start-up handed to the engine; "
                "painted = the window's first\n  paint; loaded = start-up done in the engine "
                "(camera opened, lists filled, first\n  preview taken), heard by the window; "
                "ready = the window painted with the camera's\n  state and its preview "
                "decoded. The empty window's loaded and ready are its first paint.\n");
    return 0;
}
