// X round trips that one title-bar call costs, counted by the X11 backend itself.
//
//   horaloom_bench_titlebar_roundtrips [CALLS]
//
// Creates a window, has the window manager make it the active one, then runs the title-bar
// writer CALLS times (default 1000) with the same time text, and again with a new time text on
// every call. Prints one line:
//   unchanged=<round trips per call> changing=<round trips per call> us=<microseconds per call>
#include "titlebarwriter.h"
#include "xcbbench.h"
#include "xcbwindowtitles.h"

#include <unistd.h>

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

    const std::uint64_t before = titles.roundTrips();
    const double start = bench::monotonicMs();
    for (int i = 0; i < calls; ++i) {
        writer.TitleBar(timeText(1), "", 0);
    }
    const double unchangedMs = bench::monotonicMs() - start;
    const std::uint64_t middle = titles.roundTrips();
    for (int i = 0; i < calls; ++i) {
        writer.TitleBar(timeText(2 + i), "", 0);
    }
    const std::uint64_t after = titles.roundTrips();

    // Read back through the backend's own connection: its writes are done by then, which a
    // second connection could not be sure of.
    const std::string shown = titles.readTitle(window);
    const std::string expected = timeText(1 + calls) + "   Letter - Editor";
    writer.restoreLastWindow();
    xcb_destroy_window(c, window);
    xcb_disconnect(c);
    if (shown != expected) {
        std::fprintf(stderr, "titlebar_roundtrips: the window shows \"%s\", not \"%s\"\n",
                     shown.c_str(), expected.c_str());
        return 1;
    }
    std::printf("unchanged=%.3f changing=%.3f us=%.1f\n",
                static_cast<double>(middle - before) / calls,
                static_cast<double>(after - middle) / calls, unchangedMs * 1000 / calls);
    return 0;
}
