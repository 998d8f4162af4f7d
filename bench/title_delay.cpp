// A stand-in for another program's window, watched for title writes.
//
//   horaloom_bench_title_delay [--title TEXT] [--watch WINDOW]... [--seconds S]
//
// Creates and maps a window titled TEXT (default "Letter - Editor"), prints "window 0x..." and
// then, for every new _NET_WM_NAME on that window (and on each WINDOW watched besides), one line
//   <seconds since the epoch> <milliseconds into that second> <window> <title>
// with the wall-clock time at which the change reached this client. Runs until TERM or INT, or
// for S seconds.
#include "x11client.h"

#include <poll.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace horaloom::test;

volatile sig_atomic_t stopRequested = 0;

double monotonicMs()
{
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

extern "C" void requestStop(int)
{
    stopRequested = 1;
}

} // namespace

int main(int argc, char* argv[])
{
    std::string title = "Letter - Editor";
    std::vector<xcb_window_t> watched;
    double seconds = 3600;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--title") {
            title = argv[i + 1];
        } else if (arg == "--watch") {
            watched.push_back(static_cast<xcb_window_t>(std::stoul(argv[i + 1], nullptr, 0)));
        } else if (arg == "--seconds") {
            seconds = std::stod(argv[i + 1]);
        } else {
            std::fprintf(stderr, "usage: horaloom_bench_title_delay [--title TEXT] "
                                 "[--watch WINDOW]... [--seconds S]\n");
            return 2;
        }
    }
    if (argc % 2 == 0) {
        std::fprintf(stderr, "title_delay: an option lacks its value\n");
        return 2;
    }

    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    X11Client client;
    if (!client.connected()) {
        std::fprintf(stderr, "title_delay: cannot open the display\n");
        return 2;
    }
    xcb_connection_t* c = client.connection();
    const xcb_atom_t netWmName = client.atom("_NET_WM_NAME");
    const xcb_window_t own =
        client.createWindow({{"WM_NAME", utf8(title)}, {"_NET_WM_NAME", utf8(title)}},
                            {.x = 40, .y = 40, .eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE});
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    for (xcb_window_t window : watched) {
        xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
    }
    client.sync();
    std::printf("window 0x%x\n", own);
    std::fflush(stdout);

    const double end = monotonicMs() + seconds * 1000;
    const int fd = xcb_get_file_descriptor(c);
    while (!stopRequested && monotonicMs() < end && !xcb_connection_has_error(c)) {
        pollfd pfd{fd, POLLIN, 0};
        poll(&pfd, 1, 200);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const Reply<xcb_generic_event_t> owned(event);
            if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
                continue;
            }
            const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (change->atom != netWmName || change->state != XCB_PROPERTY_NEW_VALUE) {
                continue;
            }
            // The time first; the title is read afterwards, for the record only.
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            const auto name = client.property(change->window, "_NET_WM_NAME");
            const std::string value = name ? name->bytes : std::string();
            std::printf("%lld %.1f 0x%x %s\n", static_cast<long long>(now.tv_sec),
                        static_cast<double>(now.tv_nsec) / 1e6, change->window, value.c_str());
            std::fflush(stdout);
        }
    }
    return 0;
}
