// The PTP operations of a few shots as the test camera received them, with the time
// between them: where a shot's time goes, for our backend, for the window on it, and
// for the gphoto2 tool's --shell mode.
//
//   gphoto2_timeline ours|window|tool [BYTES]

#include "OurCycle.h"
#include "PtpIpCamera.h"
#include "support/BenchWindow.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace snapdeck::bench;

namespace {

struct Operation {
    double ms;
    const char* name;
};

const char* const kOperations[][2] = {
    {"1002", "open session"},  {"1003", "close session"},  {"1004", "storage IDs"},
    {"1005", "storage info"},  {"1007", "object handles"}, {"1008", "object info"},
    {"1009", "get object"},    {"100b", "delete object"},  {"100e", "initiate capture"},
    {"1014", "property desc"}, {"1015", "property value"}, {"1016", "set property"},
};

QList<Operation> operationsOf(PtpIpCamera& device) {
    QList<Operation> operations;
    for (const auto& [code, name] : kOperations) {
        const QString answer = device.command(QStringLiteral("optimes ") + QLatin1String(code));
        for (const QString& seconds : answer.mid(2).trimmed().split(u',', Qt::SkipEmptyParts))
            operations.append({seconds.toDouble() * 1000.0, name});
    }
    std::sort(operations.begin(), operations.end(),
              [](const Operation& a, const Operation& b) { return a.ms < b.ms; });
    return operations;
}

void runToolShell(const PtpIpCamera& device, const QString& folder, int shots) {
    QProcess tool;
    tool.setWorkingDirectory(folder);
    tool.start(QStringLiteral("gphoto2"),
               {QStringLiteral("--port"), device.portPath(), QStringLiteral("--shell")});
    for (int i = 0; i < shots; ++i)
        tool.write("capture-image-and-download\n");
    tool.write("exit\n");
    tool.closeWriteChannel();
    tool.waitForFinished(60000);
}

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const char* who = argc > 1 ? argv[1] : "ours";
    QTemporaryDir dir;
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    PtpIpCamera device;
    if (!device.ready())
        return 1;
    if (argc > 2)
        device.command(QStringLiteral("capturesize ") + QString::fromLatin1(argv[2]));
    constexpr int kShots = 4;
    if (std::strcmp(who, "window") == 0)
        measureWindowCycle(device, dir.path(), kShots - 1);
    else if (std::strcmp(who, "tool") == 0)
        runToolShell(device, dir.path(), kShots);
    else
        measureOurCycle(device, dir.path(), kShots - 1);

    // From the second capture on: the first one reads the card's folders.
    const QList<Operation> operations = operationsOf(device);
    qsizetype from = 0;
    for (int captures = 0; from < operations.size(); ++from) {
        if (std::strcmp(operations[from].name, "initiate capture") == 0 && ++captures == 2)
            break;
    }
    std::printf("%s: PTP operations as the camera received them, ms\n", who);
    for (qsizetype i = from; i < operations.size(); ++i)
        std::printf("  %9.2f  (+%6.2f)  %s\n", operations[i].ms - operations[from].ms,
                    i > from ? operations[i].ms - operations[i - 1].ms : 0.0, operations[i].name);
    return 0;
}
