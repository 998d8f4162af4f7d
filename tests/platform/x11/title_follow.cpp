// Run against a counting Horaloom: switches between three windows at random moments and checks
// that each window taking the foreground carries the running time within 50 ms of becoming
// active, and that the window it took the foreground from has its own title back.
//   title_follow SWITCHES
#include "xcbtestclient.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <regex>
#include <thread>
#include <vector>

using namespace horaloom::test;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string title(XcbTestClient& client, xcb_window_t window)
{
    const auto name = client.property(window, "_NET_WM_NAME");
    return name ? name->bytes : std::string();
}

} // namespace

int main(int argc, char* argv[])
{
    const int switches = argc > 1 ? std::atoi(argv[1]) : 30;
    XcbTestClient client;
    if (!client.connected() || !client.windowManagerRunning()) {
        std::fprintf(stderr, "title_follow: needs an X display with a window manager\n");
        return 2;
    }
    const std::vector<std::string> names = {"Alpha notes", "Beta mail", "Gamma editor"};
    std::vector<xcb_window_t> windows;
    for (std::size_t i = 0; i < names.size(); ++i) {
        windows.push_back(
            client.createWindow({{"_NET_WM_NAME", utf8(names[i])}, {"WM_NAME", utf8(names[i])}},
                                false, static_cast<std::int16_t>(40 + 300 * i), 400));
    }
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> pause(120, 700);
    std::size_t current = 0;
    client.activate(windows[current]);
    std::vector<double> delays;
    int failures = 0;
    for (int n = 0; n < switches; ++n) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
        const std::size_t previous = current;
        current = (current + 1 + random() % (windows.size() - 1)) % windows.size();
        const std::regex decorated("\\d\\d:\\d\\d:\\d\\d   " + names[current]);
        client.requestActivation(windows[current]);
        const Clock::time_point asked = Clock::now();
        while (client.activeWindow() != windows[current] && millisecondsSince(asked) < 2000) {
        }
        const Clock::time_point active = Clock::now();
        while (!std::regex_match(title(client, windows[current]), decorated) &&
               millisecondsSince(active) < 1000) {
        }
        const double delay = millisecondsSince(active);
        delays.push_back(delay);
        const std::string left = title(client, windows[previous]);
        if (delay > 50 || left != names[previous]) {
            ++failures;
            std::printf("switch %d: decorated after %.1f ms; the window left reads '%s'\n", n,
                        delay, left.c_str());
        }
    }
    std::sort(delays.begin(), delays.end());
    std::printf("%d switches: decorated after %.1f ms (median), %.1f ms (longest); %d late or "
                "left decorated\n",
                switches, delays[delays.size() / 2], delays.back(), failures);
    return failures == 0 ? 0 : 1;
}
