#pragma once

#include <QObject>
#include <QThread>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace snapdeck {

class Engine;

// Runs an engine and hands it the faces' commands in the order they were given.
//  - OwnThread: the engine lives on a thread of its own, so the window thread never
//    waits on a camera or a server; commands queue, and each runs to its end before
//    the next.
//  - CallersThread: each command runs at once on the caller's thread; for tests that
//    want every step to have happened when the call returns.
class EngineHost {
public:
    enum class Threading { OwnThread, CallersThread };
    using Command = std::function<void(Engine&)>;

    EngineHost(std::unique_ptr<Engine> engine, Threading threading);
    // Ends the thread once the commands already given have run; the engine goes with it.
    ~EngineHost();
    EngineHost(const EngineHost&) = delete;
    EngineHost& operator=(const EngineHost&) = delete;

    void post(Command command);
    // Runs "done" on the thread of "context" once every command posted before has run.
    void whenDone(QObject* context, std::function<void()> done);
    // True while commands wait behind the one running: work that a later command
    // repeats (a preview) can be left to it.
    bool commandsWaiting() const;

    // The engine itself, for a test on the caller's thread.
    Engine& engine() { return *engine_; }

private:
    class Runner;
    // A command, or a note to send once the commands before it have run.
    struct Entry {
        Command command;
        QObject* context = nullptr;
        std::function<void()> done;
    };
    void enqueue(Entry entry);
    void drain();

    std::unique_ptr<Engine> engine_;
    Threading threading_;
    QThread thread_;
    Runner* runner_ = nullptr; // lives on thread_
    mutable std::mutex mutex_;
    std::deque<Entry> queue_;
    int commandsQueued_ = 0; // entries of the queue that are commands
    bool drainScheduled_ = false;
};

} // namespace snapdeck
