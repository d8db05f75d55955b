#include "ProcessMemory.h"

#include <QFile>
#include <malloc.h>

namespace snapdeck::soak {

namespace {

qint64 statusField(const QByteArray& name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

} // namespace

qint64 residentKiB() {
    return statusField("VmRSS");
}

qint64 peakResidentKiB() {
    return statusField("VmHWM");
}

qint64 heapInUseKiB() {
    const struct mallinfo2 heap = ::mallinfo2();
    return static_cast<qint64>((heap.uordblks + heap.hblkhd) / 1024);
}

} // namespace snapdeck::soak
