#pragma once

#include <QString>
#include <atomic>
#include <thread>

namespace snapdeck::soak {

// Kills the FTP server (SIGKILL) the moment its events file shows a STOR: the client has
// logged in, opened the data connection and named the file, and the picture is on its
// way. Watches on a thread of its own, so that it strikes in the middle of an upload
// that another thread is making.
class KillAtStor {
public:
    KillAtStor() = default;
    ~KillAtStor() { disarm(); }
    KillAtStor(const KillAtStor&) = delete;
    KillAtStor& operator=(const KillAtStor&) = delete;

    // Watches "eventsFile" from its current end; kills "pid" at the first STOR.
    void arm(const QString& eventsFile, qint64 pid);
    void disarm();
    bool fired() const { return fired_; }

private:
    void watch(QString eventsFile, qint64 pid);

    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> fired_{false};
};

} // namespace snapdeck::soak
