// What each step of a safe file write costs on the disk of FOLDER, with plain calls:
// write+fsync of a new file, rename onto a free name, rename over an existing file,
// fsync of the folder, and deleting a file. It explains the capture pipeline's write
// figures: the safe write flushes twice and replaces the previous picture.
//
//   write_steps_bench [FOLDER] [BYTES]

#include "support/BenchStats.h"
#include "support/MachineInfo.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

using namespace snapdeck::bench;

namespace {

QByteArray pathIn(const QTemporaryDir& dir, const char* name) {
    return QFile::encodeName(dir.filePath(QString::fromLatin1(name)));
}

void writeFlushed(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        std::fprintf(stderr, "write_steps_bench: short write\n");
    ::fsync(fd);
    ::close(fd);
}

void flushFolder(const QTemporaryDir& dir) {
    const int fd = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY);
    ::fsync(fd);
    ::close(fd);
}

} // namespace

int main(int argc, char* argv[]) {
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const qsizetype bytes = argc > 2 ? std::atoll(argv[2]) : 1'250'000;
    QTemporaryDir dir(parent + QStringLiteral("/write-steps-XXXXXX"));
    if (!dir.isValid())
        return 1;
    printMachine(dir.path());
    const QByteArray picture(bytes, 'x');
    const QByteArray fresh = pathIn(dir, "fresh.jpg"), target = pathIn(dir, "image.jpg"),
                     other = pathIn(dir, "other.jpg");
    const int repeat = repetitions(15);
    Samples written, renamedFree, renamedOver, folder, removed;
    for (int i = 0; i < repeat; ++i) {
        written.add(timed([&] { writeFlushed(fresh, picture); }));
        renamedFree.add(timed([&] { ::rename(fresh.constData(), other.constData()); }));
        folder.add(timed([&] { flushFolder(dir); }));
        writeFlushed(fresh, picture);
        writeFlushed(target, picture);
        ::sync();
        renamedOver.add(timed([&] { ::rename(fresh.constData(), target.constData()); }));
        ::sync();
        removed.add(timed([&] { ::unlink(other.constData()); }));
        ::unlink(target.constData());
    }
    std::printf("\nSteps of a safe write of %lld bytes, medians of %d, milliseconds:\n",
                static_cast<long long>(bytes), repeat);
    std::printf("  write + fsync, new file          %s\n", qPrintable(written.text()));
    std::printf("  rename onto a free name          %s\n", qPrintable(renamedFree.text()));
    std::printf("  rename over an existing file     %s\n", qPrintable(renamedOver.text()));
    std::printf("  fsync of the folder              %s\n", qPrintable(folder.text()));
    std::printf("  deleting a file                  %s\n", qPrintable(removed.text()));
    return 0;
}
