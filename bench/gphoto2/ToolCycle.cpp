#include "ToolCycle.h"

#include "PtpIpCamera.h"

#include <QProcess>
#include <cstdio>

namespace snapdeck::bench {

namespace {

// One run of the gphoto2 tool; milliseconds from its start to its end, or -1.
double runTool(const QStringList& arguments, const QByteArray& input, const QString& folder) {
    QProcess tool;
    tool.setWorkingDirectory(folder);
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.setStandardErrorFile(folder + QStringLiteral("/gphoto2.log"));
    const BenchClock::time_point start = BenchClock::now();
    tool.start(QStringLiteral("gphoto2"), arguments);
    tool.write(input);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(120000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        std::fprintf(stderr, "gphoto2_bench: gphoto2 %s failed, see %s/gphoto2.log\n",
                     qPrintable(arguments.join(u' ')), qPrintable(folder));
        return -1;
    }
    return millisecondsSince(start);
}

} // namespace

ToolCycleFigures measureToolCycle(PtpIpCamera& device, const QString& folder, int repeat) {
    ToolCycleFigures f;
    const QStringList port{QStringLiteral("--port"), device.portPath()};
    const QStringList single =
        port + QStringList{QStringLiteral("--capture-image-and-download"),
                           QStringLiteral("--filename"), folder + QStringLiteral("/tool.jpg"),
                           QStringLiteral("--force-overwrite")};
    const QStringList shell = port + QStringList{QStringLiteral("--shell")};
    QByteArray shots;
    for (int i = 0; i < ToolCycleFigures::kShellShots; ++i)
        shots += "capture-image-and-download\n";
    shots += "exit\n";

    runTool(single, {}, folder); // the first run reads the drivers from the disk
    for (int i = 0; i < repeat; ++i) {
        f.perRun.add(runTool(single, {}, folder));
        f.shellEmpty.add(runTool(shell, "exit\n", folder));
        const qsizetype before = device.captureMoments().size();
        f.shellShots.add(runTool(shell, shots, folder));
        const Samples gaps = gapsBetween(device.captureMoments(), before);
        for (const double gap : gaps.values())
            f.cameraSide.add(gap);
    }
    return f;
}

} // namespace snapdeck::bench
