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
#include "x11client.h"
#include "xcbwindowtitles.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

double monotonicMs()
{
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
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
    horaloom::test::X11Client client;
    if (!titles.connected() || !client.connected()) {
        std::fprintf(stderr, "titlebar_roundtrips: cannot open the display\n");
        return 2;
    }
    using horaloom::test::utf8;
    const xcb_window_t other = client.createWindow({{"_NET_WM_NAME", utf8("Inbox - Chat")}});
    const xcb_window_t window = client.createWindow({{"_NET_WM_NAME", utf8("Letter - Editor")}});
    if (!client.activate(window)) {
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
    const double start = monotonicMs();
    for (int i = 0; i < calls; ++i) {
        writer.TitleBar(timeText(1), "", 0);
    }
    const double unchangedMs = monotonicMs() - start;
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
        if (!client.activate(next)) {
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
