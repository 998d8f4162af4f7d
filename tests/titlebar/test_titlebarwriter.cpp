// The title writer over a fake desktop of two windows, call by call: which window carries the
// running time, and each window's own title handed back, whatever its program did meanwhile.
// The end by a signal hands the title back through the presenter (tests/presenter).
#include "fakeplatform.h"
#include "titlebarwriter.h"

#include <gtest/gtest.h>

namespace horaloom {
namespace {

constexpr WindowId A = 11, B = 22;

// A call: the foreground window, a window retitled by its program just before it, the time, the
// display clock's value and the time of day; then both titles after the call.
using Call = std::tuple<WindowId, std::pair<WindowId, const char*>, const char*, int, const char*,
                        const char*, const char*>;

TEST(TitleBar, TheForegroundCarriesTheTimeAndEveryOtherWindowItsOwnTitle)
{
    const Call calls[] = {
        {A, {}, "", 0, "", "   Letter", "Terminal"}, // before the first step
        {A, {}, "00:00:03", 1, "9:05:41 AM", "00:00:03   9:05:41 AM    Letter", "Terminal"},
        // A longer time of day is no retitle by the window's program.
        {A, {}, "00:00:04", 1, "10:00:00 AM", "00:00:04   10:00:00 AM    Letter", "Terminal"},
        {A, {A, "Draft"}, "00:00:05", 0, "", "00:00:05   Draft", "Terminal"},
        // Retitled to the very length of the decoration: still the program's own title.
        {A, {A, "xxxxxxxxxxxxxxxx"}, "00:00:06", 0, "", "00:00:06   xxxxxxxxxxxxxxxx", "Terminal"},
        // Retitled between two calls and then left: the program's title stays.
        {B, {A, "Draft (saved)"}, "00:00:07", 0, "", "Draft (saved)", "00:00:07   Terminal"},
        {0, {}, "00:00:08", 0, "", "Draft (saved)", "Terminal"}, // no foreground window
        {A, {}, "00:00:09", 0, "", "00:00:09   Draft (saved)", "Terminal"},
        // Display clock values other than 0 and 1 write nothing, yet hand every title back.
        {A, {}, "00:00:10", 2, "", "00:00:09   Draft (saved)", "Terminal"},
        {B, {}, "00:00:11", 2, "", "Draft (saved)", "Terminal"},
        {A, {B, "Renamed"}, "00:00:12", 2, "", "Draft (saved)", "Renamed"}, // never written to
        {A, {}, "00:00:13", 0, "", "00:00:13   Draft (saved)", "Renamed"},
    };
    fakes::FakeWindowTitles desktop;
    desktop.windows = {{A, "Letter"}, {B, "Terminal"}};
    TitleBarWriter writer(desktop);
    for (const auto& [foreground, retitled, time, displayClock, clock, a, b] : calls) {
        desktop.foreground = foreground;
        if (retitled.second) {
            desktop.windows[retitled.first] = retitled.second;
        }
        writer.TitleBar(time, clock, displayClock);
        EXPECT_EQ(desktop.windows[A], a) << time;
        EXPECT_EQ(desktop.windows[B], b) << time;
    }
}

} // namespace
} // namespace horaloom
