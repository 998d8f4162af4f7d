#include "signalguard.h"

#if defined(Q_OS_UNIX) || defined(__unix__)
#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace horaloom {

namespace {
int signalPipe[2] = {-1, -1};

extern "C" void forwardSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: the event loop does the rest. The interrupted code may
    // be about to read errno.
    const int savedErrno = errno;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
    errno = savedErrno;
}

// A write of our own to a closed pipe or socket (standard error into a reader that has gone, a
// server that hung up) raises SIGPIPE in this process, one past the file size limit SIGXFSZ:
// the write then fails (EPIPE, EFBIG) where it was made and is dealt with there, and Horaloom
// goes on. The same signal sent from outside ends it as any other.
extern "C" void forwardFromOutside(int signal, siginfo_t* info, void*)
{
    if (info != nullptr && info->si_code <= 0 && info->si_pid != ::getpid()) {
        forwardSignal(signal);
    }
}

// Every catchable signal whose default action ends the process, but for PIPE and XFSZ (above)
// and the faults a process raises on itself (SEGV, BUS, FPE, ILL, TRAP, ABRT): a clean exit
// would hide a crash, and the next start gives the titles back.
std::vector<int> endingSignals()
{
    std::vector<int> caught{SIGHUP,  SIGINT,    SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,
                            SIGTERM, SIGVTALRM, SIGPROF, SIGXCPU, SIGSYS};
#if defined(__linux__)
    // Linux ends a process on these too (elsewhere some are ignored by default).
    caught.insert(caught.end(), {SIGPOLL, SIGSTKFLT, SIGPWR});
#endif
#if defined(SIGRTMIN)
    // So it does on the real-time signals; nothing in Horaloom uses them.
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
        caught.push_back(signal);
    }
#endif
    return caught;
}
} // namespace

void installSignalGuard(std::function<void()> onSignal)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    // Owned by the application, and gone with it.
    auto* notifier =
        new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, onSignal] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(signalPipe[1], &byte, 1);
        notifier->setEnabled(false);
        onSignal();
    });
    struct sigaction action {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : endingSignals()) {
        ::sigaction(signal, &action, nullptr);
    }
    struct sigaction fromOutside {};
    fromOutside.sa_sigaction = forwardFromOutside;
    sigemptyset(&fromOutside.sa_mask);
    fromOutside.sa_flags = SA_RESTART | SA_SIGINFO;
    for (int signal : {SIGPIPE, SIGXFSZ}) {
        ::sigaction(signal, &fromOutside, nullptr);
    }
}

} // namespace horaloom
#else
namespace horaloom {
void installSignalGuard(std::function<void()>) {}
} // namespace horaloom
#endif
