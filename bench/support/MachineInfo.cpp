#include "MachineInfo.h"

#include <QFile>
#include <QRegularExpression>
#include <QStorageInfo>
#include <cstdio>
#include <sched.h>
#include <sys/utsname.h>

namespace snapdeck::bench {

namespace {

QString firstMatch(const QString& path, const QString& pattern) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpressionMatch match =
        QRegularExpression(pattern, QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

int coresAvailable() {
    cpu_set_t set;
    CPU_ZERO(&set);
    return sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
}

} // namespace

QString machineLine(const QString& folder) {
    const QString cpu =
        firstMatch(QStringLiteral("/proc/cpuinfo"), QStringLiteral("^model name\\s*:(.*)$"));
    const double memoryGiB =
        firstMatch(QStringLiteral("/proc/meminfo"), QStringLiteral("^MemTotal:\\s*(\\d+)"))
            .toDouble() /
        (1024.0 * 1024.0);
    const QString load = firstMatch(QStringLiteral("/proc/loadavg"), QStringLiteral("^(\\S+)"));
    utsname names{};
    uname(&names);
    const QStorageInfo storage(folder);
    return QStringLiteral("%1, %2 cores, %3 GiB, Linux %4, %5 on %6, load %7")
        .arg(cpu.isEmpty() ? QStringLiteral("unknown processor") : cpu)
        .arg(coresAvailable())
        .arg(memoryGiB, 0, 'f', 1)
        .arg(QString::fromLatin1(names.release), folder,
             QString::fromLatin1(storage.fileSystemType()), load);
}

void printMachine(const QString& folder) {
    std::printf("machine: %s\n", qPrintable(machineLine(folder)));
    std::fflush(stdout);
}

} // namespace snapdeck::bench
