// The title writer over a fake desktop of two windows, call by call: which window carries the
// running time, and each window's own title handed back, whatever its program did meanwhile.
#include "fakeplatform.h"
#include "titlebarwriter.h"

#include <gtest/gtest.h>

namespace horaloom {
namespace {

constexpr WindowId A = 11, B = 22;

struct Call {
    WindowId foreground;
    std::pair<WindowId, const char*> retitled; // by its program, just before the call
    const char* time;
    int displayClock;
    const char* clock;
    const char* a; // both titles after the call
    const char* b;
};

void play(const std::vector<Call>& calls)
{
    fakes::FakeWindowTitles desktop;
    desktop.windows = {{A, "Letter - Editor"}, {B, "Terminal"}};
    TitleBarWriter writer(desktop);
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const Call& c = calls[i];
        desktop.foreground = c.foreground;
        if (c.retitled.second) {
            desktop.windows[c.retitled.first] = c.retitled.second;
        }
        writer.TitleBar(c.time, c.clock, c.displayClock);
        EXPECT_EQ(desktop.windows[A], c.a) << "call " << i;
        EXPECT_EQ(desktop.windows[B], c.b) << "call " << i;
    }
}

TEST(TitleBar, TheForegroundCarriesTheTimeAndEveryOtherWindowItsOwnTitle)
{
    play({
        {A, {}, "", 0, "", "   Letter - Editor", "Terminal"}, // before the first step
        {A, {}, "00:00:01", 0, "", "00:00:01   Letter - Editor", "Terminal"},
        {B, {}, "00:00:02", 0, "", "Letter - Editor", "00:00:02   Terminal"},
        {A,
         {},
         "00:00:03",
         1,
         "9:05:41 AM",
         "00:00:03   9:05:41 AM    Letter - Editor",
         "Terminal"},
        // A longer time of day is no retitle by the window's program.
        {A,
         {},
         "00:00:04",
         1,
         "10:00:00 AM",
         "00:00:04   10:00:00 AM    Letter - Editor",
         "Terminal"},
        {A, {A, "Draft"}, "00:00:05", 0, "", "00:00:05   Draft", "Terminal"},
        // Retitled to the very length of the decoration: still the program's own title.
        {A, {A, "xxxxxxxxxxxxxxxx"}, "00:00:06", 0, "", "00:00:06   xxxxxxxxxxxxxxxx", "Terminal"},
        // Retitled between two calls and then left: the program's title stays.
        {B, {A, "Draft (saved)"}, "00:00:07", 0, "", "Draft (saved)", "00:00:07   Terminal"},
        {0, {}, "00:00:08", 0, "", "Draft (saved)", "Terminal"}, // no foreground window
        {A, {}, "00:00:09", 0, "", "00:00:09   Draft (saved)", "Terminal"},
    });
}

// Display clock values other than 0 and 1 write nothing, yet hand every title back.
TEST(TitleBar, OtherDisplayClockValuesWriteNothingButHandTitlesBack)
{
    play({
        {A, {}, "00:00:01", 0, "", "00:00:01   Letter - Editor", "Terminal"},
        {A, {}, "00:00:02", 2, "", "00:00:01   Letter - Editor", "Terminal"},
        {B, {}, "00:00:03", 2, "", "Letter - Editor", "Terminal"},
        // Never written to, so never restored.
        {A, {B, "Renamed"}, "00:00:04", 2, "", "Letter - Editor", "Renamed"},
        {A, {}, "00:00:05", 0, "", "00:00:05   Letter - Editor", "Renamed"},
    });
}

TEST(TitleBar, ClosedWindowIsForgottenAndASignalHandsTheTitleBackOnce)
{
    fakes::FakeWindowTitles desktop;
    desktop.windows = {{A, "Letter - Editor"}, {B, "Terminal"}};
    desktop.foreground = A;
    TitleBarWriter writer(desktop);
    writer.TitleBar("00:00:01", "", 0);
    desktop.windows.erase(A);
    desktop.foreground = B;
    writer.TitleBar("00:00:02", "", 0);
    EXPECT_EQ(desktop.windows.count(A), 0u);
    EXPECT_EQ(desktop.windows[B], "00:00:02   Terminal");
    writer.restoreLastWindow();
    EXPECT_EQ(desktop.windows[B], "Terminal");
    desktop.windows[B] = "Renamed";
    writer.restoreLastWindow();
    EXPECT_EQ(desktop.windows[B], "Renamed");
}

} // namespace
} // namespace horaloom
