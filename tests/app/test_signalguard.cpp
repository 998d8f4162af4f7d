// Signals that end Horaloom end it cleanly; a failed write of its own does not end it.
#include "signalguard.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace horaloom {
namespace {

TEST(SignalGuard, OwnFailedWritesGoOnAndTheSameSignalFromOutsideEnds)
{
    int argc = 1;
    char name[] = "test_signalguard";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    int reports = 0;
    installSignalGuard([&reports] { ++reports; });
    const auto runEvents = [&reports](int milliseconds) {
        for (QDeadlineTimer deadline(milliseconds); reports == 0 && !deadline.hasExpired();) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return reports;
    };

    // A write to a socket whose reader has gone (SIGPIPE), and one past the file size limit
    // (SIGXFSZ, here no file may grow at all): each fails, and nothing ends.
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    close(pair[1]);
    EXPECT_EQ(write(pair[0], "x", 1) == -1 ? errno : 0, EPIPE);
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit none{0, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &none);
    const int writeError = write(file.handle(), "x", 1) == -1 ? errno : 0;
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(writeError, EFBIG);
    EXPECT_EQ(runEvents(200), 0);

    // SIGPIPE sent by another process ends Horaloom as SIGTERM would.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        kill(getppid(), SIGPIPE);
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    EXPECT_EQ(runEvents(2000), 1);
}

} // namespace
} // namespace horaloom
