#include "camera/gphoto2/LibraryThread.h"
#include "Gphoto2TestSupport.h"
#include "camera/gphoto2/ThreadLocale.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <future>
#include <locale.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;
using snapdeck::CameraError;
using snapdeck::gphoto2::CallSignals;
using snapdeck::gphoto2::CLocaleOnThisThread;
using snapdeck::gphoto2::LibraryThread;
using snapdeck::test::errorOf;

namespace {

using Clock = std::chrono::steady_clock;

TEST(LibraryThread, GivesUpOnASilentCallWith26AndWaitsForItBeforeTheNextCall) {
    LibraryThread thread;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> sawAbandon{false};

    const auto start = Clock::now();
    const CameraError error = errorOf([&] {
        thread.run(
            [&](CallSignals& call) {
                released.wait();
                sawAbandon = call.abandoned();
            },
            200ms);
    });
    const auto waited = Clock::now() - start;
    EXPECT_EQ(error.number(), snapdeck::kCameraNotAnswering);
    EXPECT_GE(waited, 200ms);
    EXPECT_LT(waited, 2s);

    // The next call runs once the stuck one has returned, and learns that the session
    // the stuck one used is suspect.
    release.set_value();
    bool earlierAbandoned = false;
    thread.run([&](CallSignals& call) { earlierAbandoned = call.takeEarlierAbandon(); }, 5s);
    EXPECT_TRUE(sawAbandon);
    EXPECT_TRUE(earlierAbandoned);

    bool abandonedAgain = true;
    thread.run([&](CallSignals& call) { abandonedAgain = call.takeEarlierAbandon(); }, 5s);
    EXPECT_FALSE(abandonedAgain);
}

TEST(LibraryThread, ACallWhileAnAbandonedOneIsStillStuckFailsAtOnceWith26) {
    LibraryThread thread;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    errorOf([&] { thread.run([released](CallSignals&) { released.wait(); }, 100ms); });

    // Every later call, however long its own limit, gives up at once: a poll must not
    // freeze the window for its whole limit behind a call that never returns.
    bool ran = false;
    for (int call = 0; call < 3; ++call) {
        const auto start = Clock::now();
        const CameraError error =
            errorOf([&] { thread.run([&](CallSignals&) { ran = true; }, 10s); });
        EXPECT_EQ(error.number(), snapdeck::kCameraNotAnswering);
        EXPECT_LT(Clock::now() - start, 2s);
    }
    release.set_value();
    thread.run([](CallSignals&) {}, 5s);
    EXPECT_FALSE(ran);
}

TEST(LibraryThread, SignsOfLifeKeepALongCallGoingAndBringItsProgressToTheCaller) {
    LibraryThread thread;
    const std::thread::id caller = std::this_thread::get_id();
    std::vector<std::int64_t> progress;
    bool progressOnCaller = true;

    // A slow download: five chunks that together take longer than the limit, each
    // well inside it (with room for a loaded machine).
    thread.run(
        [](CallSignals& call) {
            for (int chunk = 1; chunk <= 5; ++chunk) {
                std::this_thread::sleep_for(150ms);
                call.alive(chunk * 1000);
            }
        },
        600ms,
        [&](std::int64_t bytes) {
            progress.push_back(bytes);
            progressOnCaller = progressOnCaller && std::this_thread::get_id() == caller;
        });
    EXPECT_EQ(progress, (std::vector<std::int64_t>{1000, 2000, 3000, 4000, 5000}));
    EXPECT_TRUE(progressOnCaller);
}

TEST(LibraryThread, LibraryCallsReadNumbersInCAndSurviveASocketClosedByTheCamera) {
    if (!snapdeck::test::useRussianLocale())
        GTEST_SKIP() << "the Russian locale could not be built (localedef)";
    char windowText[16];
    std::snprintf(windowText, sizeof windowText, "%.1f", 5.6);
    LibraryThread thread;

    int sockets[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sockets), 0);
    close(sockets[1]);
    std::string libraryText;
    int writeError = 0;
    thread.run(
        [&](CallSignals&) {
            char text[16];
            std::snprintf(text, sizeof text, "%.1f", 5.6);
            libraryText = text;
            if (write(sockets[0], "x", 1) < 0)
                writeError = errno;
        },
        5s);
    close(sockets[0]);
    snapdeck::test::usePlainLocale();

    EXPECT_STREQ(windowText, "5,6"); // the window keeps the user's locale
    EXPECT_EQ(libraryText, "5.6");
    EXPECT_EQ(writeError, EPIPE); // and we are still here: no SIGPIPE
}

// Found by the sanitizer run: every library thread leaked its "C" locale. The thread is
// on it only while the holder lives, and back on the program's locale after.
TEST(LibraryThread, TheCLocaleIsTheThreadsOnlyWhileItIsHeld) {
    if (!snapdeck::test::useRussianLocale())
        GTEST_SKIP() << "the Russian locale could not be built (localedef)";
    std::string held, after;
    bool globalBefore = false, globalAfter = false;
    std::thread([&] {
        char text[16];
        globalBefore = uselocale(locale_t(0)) == LC_GLOBAL_LOCALE;
        {
            const CLocaleOnThisThread cLocale;
            std::snprintf(text, sizeof text, "%.1f", 5.6);
            held = text;
        }
        globalAfter = uselocale(locale_t(0)) == LC_GLOBAL_LOCALE;
        std::snprintf(text, sizeof text, "%.1f", 5.6);
        after = text;
    }).join();
    snapdeck::test::usePlainLocale();

    EXPECT_TRUE(globalBefore);
    EXPECT_EQ(held, "5.6");
    EXPECT_TRUE(globalAfter);
    EXPECT_EQ(after, "5,6");
}

} // namespace
