#include "KillAtStor.h"

#include <QFile>
#include <csignal>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace snapdeck::soak {

void KillAtStor::arm(const QString& eventsFile, qint64 pid) {
    disarm();
    stopping_ = false;
    fired_ = false;
    thread_ = std::thread([this, eventsFile, pid] { watch(eventsFile, pid); });
}

void KillAtStor::disarm() {
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
}

void KillAtStor::watch(QString eventsFile, qint64 pid) {
    QFile events(eventsFile);
    if (pid <= 0 || !events.open(QIODevice::ReadOnly))
        return;
    events.seek(events.size());
    const int changes = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (changes < 0)
        return;
    ::inotify_add_watch(changes, QFile::encodeName(eventsFile).constData(), IN_MODIFY);
    QByteArray seen;
    while (!stopping_) {
        pollfd ready{changes, POLLIN, 0};
        ::poll(&ready, 1, 50);
        char drained[4096];
        while (::read(changes, drained, sizeof drained) > 0) {
        }
        seen += events.readAll();
        if (seen.contains(" STOR ")) {
            ::kill(pid_t(pid), SIGKILL);
            fired_ = true;
            break;
        }
        // Only the last line may still be cut: keep it, drop the rest.
        seen = seen.mid(seen.lastIndexOf('\n') + 1);
    }
    ::close(changes);
}

} // namespace snapdeck::soak
