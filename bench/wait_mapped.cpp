// Waits, as an outside X client, until a program's first window is viewable.
//
//   horaloom_bench_wait_mapped [--timeout SECONDS] -- PROGRAM [ARGS...]
//       starts PROGRAM, prints "<milliseconds from fork to viewable> <window>", then stops it
//       (TERM, KILL after 5 s) and waits for it to end
//   horaloom_bench_wait_mapped [--timeout SECONDS] --pid PID
//       prints "<milliseconds waited> <window>" once a window of the running PID is viewable
//
// A window counts when it carries _NET_WM_PID of the program, the window manager lists it in
// _NET_CLIENT_LIST (so a tray icon embedded by the tray host does not count), and it is viewable:
// mapped, inside a mapped frame. Without a window manager: a viewable child of the root with
// the program's _NET_WM_PID. Exit status 0 found, 1 timed out, 2 usage or no display, 3 the
// program ended first.
#include "x11client.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace {

using horaloom::test::Reply;

double monotonicMs()
{
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Watch {
    horaloom::test::X11Client x;
    xcb_connection_t* c = x.connection();
    xcb_window_t root = x.root();
    bool windowManager = false;
    pid_t pid = 0;
    std::map<xcb_window_t, bool> ours; // windows looked at: do they carry our pid?

    std::vector<xcb_window_t> topLevels()
    {
        if (windowManager) {
            const auto list = x.cardinals(root, "_NET_CLIENT_LIST");
            return {list.begin(), list.end()};
        }
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
        if (!tree) {
            return {};
        }
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        return {children, children + xcb_query_tree_children_length(tree.get())};
    }

    // The first viewable window of the program, if there is one yet.
    std::optional<xcb_window_t> viewableWindow()
    {
        for (xcb_window_t window : topLevels()) {
            auto seen = ours.find(window);
            if (seen == ours.end()) {
                const auto pids = x.cardinals(window, "_NET_WM_PID");
                const bool mine = !pids.empty() && static_cast<pid_t>(pids[0]) == pid;
                seen = ours.emplace(window, mine).first;
                if (mine) {
                    // Its own map comes as a StructureNotify; a frame's as the root's
                    // SubstructureNotify.
                    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
                }
            }
            if (!seen->second) {
                continue;
            }
            const Reply<xcb_get_window_attributes_reply_t> attributes(
                xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
                (windowManager || !attributes->override_redirect)) {
                return window;
            }
        }
        return std::nullopt;
    }
};

int usage()
{
    std::fprintf(stderr, "usage: horaloom_bench_wait_mapped [--timeout SECONDS] "
                         "(-- PROGRAM [ARGS...] | --pid PID)\n");
    return 2;
}

// TERM, then KILL after five seconds; always reaped.
void stopChild(pid_t child)
{
    kill(child, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child) {
            return;
        }
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char* argv[])
{
    double timeoutMs = 20000;
    pid_t existing = 0;
    int programArg = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--timeout" && i + 1 < argc) {
            timeoutMs = std::stod(argv[++i]) * 1000;
        } else if (arg == "--pid" && i + 1 < argc) {
            existing = static_cast<pid_t>(std::stol(argv[++i]));
        } else if (arg == "--" && i + 1 < argc) {
            programArg = i + 1;
            break;
        } else {
            return usage();
        }
    }
    if ((existing == 0) == (programArg < 0)) {
        return usage();
    }

    Watch w;
    if (!w.x.connected()) {
        std::fprintf(stderr, "wait_mapped: cannot open the display\n");
        return 2;
    }
    fcntl(xcb_get_file_descriptor(w.c), F_SETFD, FD_CLOEXEC);
    w.windowManager = w.x.windowManagerRunning();
    const std::uint32_t rootMask =
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(w.c, w.root, XCB_CW_EVENT_MASK, &rootMask);
    // A round trip: the selection is in force before the program starts.
    w.x.sync();

    const double start = monotonicMs();
    pid_t child = 0;
    if (programArg >= 0) {
        child = fork();
        if (child < 0) {
            std::perror("wait_mapped: fork");
            return 2;
        }
        if (child == 0) {
            execvp(argv[programArg], argv + programArg);
            std::perror("wait_mapped: exec");
            _exit(127);
        }
        w.pid = child;
    } else {
        w.pid = existing;
    }

    const int fd = xcb_get_file_descriptor(w.c);
    double seenAt = monotonicMs();
    std::optional<xcb_window_t> found = w.viewableWindow();
    int status = 0;
    while (!found) {
        const double now = monotonicMs();
        if (now - start > timeoutMs) {
            std::fprintf(stderr, "wait_mapped: no viewable window within %.0f ms\n", timeoutMs);
            status = 1;
            break;
        }
        const bool ended = child ? waitpid(child, nullptr, WNOHANG) == child : kill(w.pid, 0) != 0;
        if (ended) {
            std::fprintf(stderr, "wait_mapped: the program ended before its window showed\n");
            child = 0;
            status = 3;
            break;
        }
        pollfd pfd{fd, POLLIN, 0};
        poll(&pfd, 1, 20);
        bool any = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(w.c)) {
            if (!any) {
                seenAt = monotonicMs();
                any = true;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(w.c)) {
            std::fprintf(stderr, "wait_mapped: lost the display\n");
            status = 2;
            break;
        }
        if (any) {
            found = w.viewableWindow();
        }
    }
    if (found) {
        std::printf("%.1f 0x%x\n", seenAt - start, *found);
        std::fflush(stdout);
    }
    if (child) {
        stopChild(child);
    }
    return status;
}
