// Run against a counting Horaloom: switches among three windows, each time between 100 and
// 400 ms into a wall-clock second, when Horaloom's tick (just past each second) is furthest
// away. The window taking the foreground must carry the running time before that tick comes,
// so the report of the switch did it, and the window left must have its own title back.
//   title_follow SWITCHES    (prints every delay in ms, for the benchmark, then a summary line)
#include "x11client.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <regex>
#include <thread>

using namespace horaloom::test;
using Clock = std::chrono::system_clock;

int main(int argc, char* argv[])
{
    const auto msIntoSecond = [](Clock::time_point at) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch())
                   .count() %
               1000;
    };
    const int switches = argc > 1 ? std::atoi(argv[1]) : 30;
    X11Client client;
    if (!client.connected() || !client.windowManagerRunning()) {
        std::fprintf(stderr, "title_follow: needs an X display with a window manager\n");
        return 2;
    }
    const std::vector<std::string> names = {"Alpha notes", "Beta mail", "Gamma editor"};
    std::vector<xcb_window_t> windows;
    for (std::size_t i = 0; i < names.size(); ++i) {
        windows.push_back(
            client.createWindow({{"_NET_WM_NAME", utf8(names[i])}},
                                {.x = static_cast<std::int16_t>(40 + 300 * i), .y = 400}));
    }
    const auto title = [&](std::size_t i) {
        return client.property(windows[i], "_NET_WM_NAME").value_or(Property{}).bytes;
    };
    std::mt19937 random(20261206);
    std::size_t current = windows.size() - 1; // the last one made has the focus
    std::vector<double> delays;
    int failures = 0;
    while (static_cast<int>(delays.size()) < switches) {
        // To the next moment 100 to 400 ms into a second.
        const auto now = Clock::now();
        const long long at = 100 + random() % 300;
        std::this_thread::sleep_for(
            std::chrono::milliseconds((at - msIntoSecond(now) + 1000) % 1000));
        const std::size_t previous = current;
        current = (current + 1 + random() % (windows.size() - 1)) % windows.size();
        const Clock::time_point asked = Clock::now();
        const auto nextTick = asked + std::chrono::milliseconds(1000 - msIntoSecond(asked));
        if (!client.activate(windows[current])) {
            std::printf("switch %zu: the window manager did not activate the window\n",
                        delays.size());
            return 1;
        }
        const Clock::time_point active = Clock::now();
        if (active + std::chrono::milliseconds(300) > nextTick) {
            continue; // the window manager was slow: too close to the tick to tell who wrote
        }
        const std::regex decorated("\\d\\d:\\d\\d:\\d\\d   " + names[current]);
        const bool beforeTick =
            waitUntil([&] { return std::regex_match(title(current), decorated); },
                      std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - active));
        delays.push_back(std::chrono::duration<double, std::milli>(Clock::now() - active).count());
        const std::string left = title(previous);
        if (!beforeTick || left != names[previous]) {
            ++failures;
            std::printf("switch %zu: %s before the tick; the window left reads '%s'\n",
                        delays.size(), beforeTick ? "decorated" : "not decorated", left.c_str());
        }
    }
    std::sort(delays.begin(), delays.end());
    std::printf("delays:");
    for (const double delay : delays) {
        std::printf(" %.2f", delay);
    }
    std::printf("\n");
    std::printf("%d switches: decorated after %.1f ms (median), %.1f ms (longest); %d late or "
                "left decorated\n",
                switches, delays[delays.size() / 2], delays.back(), failures);
    return failures == 0 ? 0 : 1;
}
