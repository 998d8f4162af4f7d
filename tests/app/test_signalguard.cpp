// Signals that end Horaloom end it cleanly; a failed write of its own does not end it.
#include "signalguard.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace horaloom {
namespace {

// Runs the event loop until the guard has reported as often as expected, or for a while.
int reportsAfterEvents(const int& reports, int expected, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (reports < expected && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QCoreApplication::processEvents();
    return reports;
}

TEST(SignalGuard, OwnFailedWritesGoOnAndTheSameSignalFromOutsideEnds)
{
    int argc = 1;
    char name[] = "test_signalguard";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    int reports = 0;
    installSignalGuard([&reports] { ++reports; });

    // A write to a socket whose reader has gone: EPIPE, and nothing ends.
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    close(pair[1]);
    errno = 0;
    EXPECT_EQ(write(pair[0], "x", 1), -1);
    EXPECT_EQ(errno, EPIPE);
    close(pair[0]);

    // A write past the file size limit: EFBIG, and nothing ends.
    QTemporaryDir dir;
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &small);
    const int file =
        open(qPrintable(dir.filePath(QStringLiteral("big"))), O_WRONLY | O_CREAT, 0600);
    const auto upToTheLimit = write(file, "xx", 2);
    errno = 0;
    const auto pastIt = write(file, "x", 1);
    const int writeError = errno;
    setrlimit(RLIMIT_FSIZE, &saved);
    close(file);
    EXPECT_EQ(upToTheLimit, 1);
    EXPECT_EQ(pastIt, -1);
    EXPECT_EQ(writeError, EFBIG);
    EXPECT_EQ(reportsAfterEvents(reports, 1, 200), 0);

    // SIGPIPE sent by another process ends Horaloom as SIGTERM would.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        kill(getppid(), SIGPIPE);
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    EXPECT_EQ(reportsAfterEvents(reports, 1, 2000), 1);
}

} // namespace
} // namespace horaloom
