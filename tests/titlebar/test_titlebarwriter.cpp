#include "fakeplatform.h"
#include "titlebarwriter.h"

#include <gtest/gtest.h>

using horaloom::TitleBarWriter;
using horaloom::fakes::FakeWindowTitles;

namespace {

constexpr horaloom::WindowId A = 11;
constexpr horaloom::WindowId B = 22;

class TitleBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        desktop.windows[A] = "Letter - Editor";
        desktop.windows[B] = "Terminal";
        desktop.foreground = A;
    }
    void call(const std::string& time, int displayClock = 0, const std::string& clock = "9:05:41")
    {
        writer.TitleBar(time, clock, displayClock);
    }

    FakeWindowTitles desktop;
    TitleBarWriter writer{desktop};
};

TEST_F(TitleBarTest, FirstCallPutsTheTimeInFrontOfTheForegroundTitle)
{
    call("00:00:01");
    EXPECT_EQ(desktop.windows[A], "00:00:01   Letter - Editor");
    EXPECT_EQ(desktop.windows[A].size(), 26u);
    EXPECT_EQ(writer.LastWindow, A);
    EXPECT_EQ(writer.SavedTitle, "Letter - Editor");
}

TEST_F(TitleBarTest, UnchangedWindowCostsOneReadAndOneWriteAndKeepsItsOwnTitle)
{
    call("00:00:01");
    const int reads = desktop.reads;
    const int writes = desktop.writes;
    call("00:00:02");
    EXPECT_EQ(desktop.windows[A], "00:00:02   Letter - Editor");
    EXPECT_EQ(desktop.reads - reads, 1);
    EXPECT_EQ(desktop.writes - writes, 1);
}

TEST_F(TitleBarTest, SwitchingHandsTheOldWindowItsTitleBackAndDecoratesTheNew)
{
    call("00:00:01");
    desktop.foreground = B;
    call("00:00:02");
    EXPECT_EQ(desktop.windows[A], "Letter - Editor");
    EXPECT_EQ(desktop.windows[B], "00:00:02   Terminal");
    desktop.foreground = A;
    call("00:00:03");
    EXPECT_EQ(desktop.windows[B], "Terminal");
    EXPECT_EQ(desktop.windows[A], "00:00:03   Letter - Editor");
}

TEST_F(TitleBarTest, OwnProgramRetitlingIsKeptWhateverItsLength)
{
    call("00:00:01");
    // A different length, then exactly the decorated length: both are the window's own doing.
    desktop.windows[A] = "Draft";
    call("00:00:02");
    EXPECT_EQ(desktop.windows[A], "00:00:02   Draft");
    const std::string sameLength(desktop.windows[A].size(), 'x');
    desktop.windows[A] = sameLength;
    call("00:00:03");
    EXPECT_EQ(desktop.windows[A], "00:00:03   " + sameLength);
    desktop.foreground = B;
    call("00:00:04");
    EXPECT_EQ(desktop.windows[A], sameLength);
}

TEST_F(TitleBarTest, TitleChangedSinceTheLastCallIsNotOverwrittenAtTheSwitch)
{
    call("00:00:01");
    desktop.windows[A] = "Letter (saved) - Editor"; // its program, between two ticks
    desktop.foreground = B;
    call("00:00:02");
    EXPECT_EQ(desktop.windows[A], "Letter (saved) - Editor");
    EXPECT_EQ(desktop.windows[B], "00:00:02   Terminal");
}

TEST_F(TitleBarTest, WindowNeverWrittenToIsNeverRestored)
{
    call("00:00:01", 2);
    desktop.windows[A] = "Renamed";
    const int writes = desktop.writes;
    desktop.foreground = B;
    call("00:00:02", 2);
    EXPECT_EQ(desktop.windows[A], "Renamed");
    EXPECT_EQ(desktop.writes, writes);
}

TEST_F(TitleBarTest, DecorationLeftWhenTheClockSettingStopsWritingIsStillHandedBack)
{
    call("00:00:01", 0);
    call("00:00:02", 2); // no write, the old decoration stays
    EXPECT_EQ(desktop.windows[A], "00:00:01   Letter - Editor");
    desktop.foreground = B;
    call("00:00:03", 2);
    EXPECT_EQ(desktop.windows[A], "Letter - Editor");
}

TEST_F(TitleBarTest, DisplayClockFormats)
{
    call("00:12:05", 1, "9:05:41 AM");
    EXPECT_EQ(desktop.windows[A], "00:12:05   9:05:41 AM    Letter - Editor");
    // A longer time of day is not mistaken for the window's own change.
    call("00:12:06", 1, "10:00:00 AM");
    EXPECT_EQ(desktop.windows[A], "00:12:06   10:00:00 AM    Letter - Editor");
    call("00:12:07", 0);
    EXPECT_EQ(desktop.windows[A], "00:12:07   Letter - Editor");
}

TEST_F(TitleBarTest, OtherDisplayClockNumbersWriteNothingButStillHandTitlesBack)
{
    call("00:00:01", 0);
    desktop.foreground = B;
    call("00:00:02", 2);
    EXPECT_EQ(desktop.windows[A], "Letter - Editor");
    EXPECT_EQ(desktop.windows[B], "Terminal");
    call("00:00:03", 2);
    EXPECT_EQ(desktop.windows[B], "Terminal");
    // Switching the clock back on later decorates the window with its true title.
    call("00:00:04", 0);
    EXPECT_EQ(desktop.windows[B], "00:00:04   Terminal");
}

TEST_F(TitleBarTest, NoForegroundWindowRestoresTheTrackedOneAndWritesNothing)
{
    call("00:00:01");
    desktop.foreground = 0;
    const int writes = desktop.writes;
    call("00:00:02");
    EXPECT_EQ(desktop.windows[A], "Letter - Editor");
    EXPECT_EQ(desktop.writes - writes, 1); // only the restore, after one look at the title
    EXPECT_EQ(writer.LastWindow, 0u);
    desktop.foreground = B;
    call("00:00:03");
    EXPECT_EQ(desktop.windows[B], "00:00:03   Terminal");
}

TEST_F(TitleBarTest, ClosedTrackedWindowIsForgottenAndTheNextOneDecorated)
{
    call("00:00:01");
    desktop.windows.erase(A);
    desktop.foreground = B;
    call("00:00:02");
    EXPECT_EQ(desktop.windows[B], "00:00:02   Terminal");
    EXPECT_EQ(desktop.windows.count(A), 0u);
}

TEST_F(TitleBarTest, FirstCallBeforeAnyStepGivesBlanksBeforeTheTitle)
{
    call("");
    EXPECT_EQ(desktop.windows[A], "   Letter - Editor");
}

TEST_F(TitleBarTest, RestoreLastWindowForAnEndBySignal)
{
    call("00:00:01");
    writer.restoreLastWindow();
    EXPECT_EQ(desktop.windows[A], "Letter - Editor");
    const int writes = desktop.writes;
    writer.restoreLastWindow();
    EXPECT_EQ(desktop.writes, writes);
}

} // namespace
