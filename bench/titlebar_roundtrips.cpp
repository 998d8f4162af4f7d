// X round trips that one title-bar call costs, counted by the X11 backend itself.
//
//   horaloom_bench_titlebar_roundtrips [CALLS]
//
// Creates two windows, has the window manager make one the active one, then runs the title-bar
// writer CALLS times (default 1000) with the same time text, and again with a new time text on
// every call; then CALLS / 10 times (at least 10) right after the other window has taken the
// foreground. Prints one line: round trips per call unchanged, changing and after a switch,
// microseconds per unchanged call, and the requests and replies of one unchanged call and of
// one call after a switch:
//   unchanged=R changing=R switched=R us=U unchanged_requests=N unchanged_replies=N
//   switched_requests=N switched_replies=N
#include "titlebarwriter.h"
#include "xcbbench.h"
#include "xcbwindowtitles.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// Asks the window manager to activate the window, as a pager would, until it has.
bool activate(xcb_connection_t* c, xcb_window_t root, xcb_window_t window)
{
    const xcb_atom_t netActive = bench::atom(c, "_NET_ACTIVE_WINDOW");
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (attempt % 50 == 0) {
            xcb_client_message_event_t message{};
            message.response_type = XCB_CLIENT_MESSAGE;
            message.format = 32;
            message.window = window;
            message.type = netActive;
            message.data.data32[0] = 2; // source: a pager
            message.data.data32[1] = XCB_CURRENT_TIME;
            xcb_send_event(c, 0, root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                               XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                           reinterpret_cast<const char*>(&message));
            xcb_flush(c);
        }
        const auto active = bench::cardinals(c, root, netActive, XCB_ATOM_WINDOW);
        if (!active.empty() && active[0] == window) {
            return true;
        }
        usleep(10000);
    }
    return false;
}

std::string timeText(int seconds)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

} // namespace

int main(int argc, char* argv[])
{
    const int calls = argc > 1 ? std::stoi(argv[1]) : 1000;
    horaloom::XcbWindowTitles titles;
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (!titles.connected() || xcb_connection_has_error(c)) {
        std::fprintf(stderr, "titlebar_roundtrips: cannot open the display\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_window_t window = bench::createTitledWindow(c, screens.data, "Letter - Editor", 0);
    const xcb_window_t other = bench::createTitledWindow(c, screens.data, "Inbox - Chat", 0);
    xcb_map_window(c, other);
    xcb_map_window(c, window);
    xcb_flush(c);
    if (!activate(c, screens.data->root, window)) {
        std::fprintf(stderr, "titlebar_roundtrips: the window manager did not activate the "
                             "test window\n");
        return 1;
    }

    horaloom::TitleBarWriter writer(titles);
    writer.TitleBar(timeText(1), "", 0); // decorates the window: the first call costs more
    if (writer.CurrentWindow != window) {
        std::fprintf(stderr, "titlebar_roundtrips: the writer sees window 0x%llx, not 0x%x\n",
                     static_cast<unsigned long long>(writer.CurrentWindow), window);
        return 1;
    }

    // Per call, as the backend counts them.
    struct Cost {
        std::uint64_t roundTrips, requests, replies;
    };
    const auto cost = [&titles] {
        return Cost{titles.roundTrips(), titles.requests(), titles.replies()};
    };

    const Cost before = cost();
    const double start = bench::monotonicMs();
    for (int i = 0; i < calls; ++i) {
        writer.TitleBar(timeText(1), "", 0);
    }
    const double unchangedMs = bench::monotonicMs() - start;
    const Cost middle = cost();
    for (int i = 0; i < calls; ++i) {
        writer.TitleBar(timeText(2 + i), "", 0);
    }
    const Cost after = cost();

    // Read back through the backend's own connection: its writes are done by then, which a
    // second connection could not be sure of.
    const std::string shown = titles.readTitle(window);
    const std::string expected = timeText(1 + calls) + "   Letter - Editor";

    // The foreground moves between the two windows, one call after each move; the activations
    // go through the bench's own connection and are not counted.
    const int switches = std::max(10, calls / 10);
    Cost switched{0, 0, 0};
    for (int i = 0; i < switches; ++i) {
        const xcb_window_t next = i % 2 == 0 ? other : window;
        if (!activate(c, screens.data->root, next)) {
            std::fprintf(stderr, "titlebar_roundtrips: the window manager did not switch\n");
            return 1;
        }
        const Cost from = cost();
        writer.TitleBar(timeText(1 + calls), "", 0);
        const Cost to = cost();
        switched.roundTrips += to.roundTrips - from.roundTrips;
        switched.requests += to.requests - from.requests;
        switched.replies += to.replies - from.replies;
        if (writer.CurrentWindow != next) {
            std::fprintf(stderr, "titlebar_roundtrips: the writer did not follow the switch\n");
            return 1;
        }
    }
    writer.restoreLastWindow();
    const std::string otherShown = titles.readTitle(other);
    xcb_destroy_window(c, window);
    xcb_destroy_window(c, other);
    xcb_disconnect(c);
    if (shown != expected || otherShown != "Inbox - Chat") {
        std::fprintf(stderr,
                     "titlebar_roundtrips: the windows show \"%s\" and \"%s\", not \"%s\" and "
                     "\"Inbox - Chat\"\n",
                     shown.c_str(), otherShown.c_str(), expected.c_str());
        return 1;
    }
    const auto perCall = [](std::uint64_t total, int count) {
        return static_cast<double>(total) / count;
    };
    std::printf("unchanged=%.3f changing=%.3f switched=%.3f us=%.1f unchanged_requests=%.1f "
                "unchanged_replies=%.1f switched_requests=%.1f switched_replies=%.1f\n",
                perCall(middle.roundTrips - before.roundTrips, calls),
                perCall(after.roundTrips - middle.roundTrips, calls),
                perCall(switched.roundTrips, switches), unchangedMs * 1000 / calls,
                perCall(middle.requests - before.requests, calls),
                perCall(middle.replies - before.replies, calls),
                perCall(switched.requests, switches), perCall(switched.replies, switches));
    return 0;
}
