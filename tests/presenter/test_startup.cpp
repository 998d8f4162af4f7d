// Start-up: one copy only, the settings file, the window's place, the idle state.
#include "presenterfixture.h"

namespace horaloom::testing {
namespace {

TEST_F(PresenterTest, StartsIdleWithTheClockRunning)
{
    MainPresenter& p = start();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(view.shown);
    EXPECT_EQ(p.CountMode, NoMode);
    EXPECT_EQ(p.TimerRunning, TimerOff);
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_EQ(stored(), "00:00:00");
    for (const auto& box : view.digits) {
        EXPECT_FALSE(box.enabled);
    }
    for (Button b : {Button::CountUp, Button::CountDown, Button::Quit, Button::Hide}) {
        EXPECT_TRUE(view.isOn(b));
    }
    for (Button b : {Button::Start, Button::Stop, Button::Reset}) {
        EXPECT_TRUE(view.isOff(b));
    }
    EXPECT_EQ(view.buttons[Button::CountDown].left, 1380);
    EXPECT_EQ(view.clockText, fake.clock.time);
    EXPECT_EQ(p.StartDir, "/start");
    EXPECT_EQ(fake.tray.startups, 1);
    EXPECT_TRUE(fake.messageBoxes.shown.empty());
    EXPECT_EQ(view.timer1, 998); // 5 ms into the second: the next tick just past the next one
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer3]);
    EXPECT_EQ(p.TimeText, "");
}

TEST_F(PresenterTest, SecondCopyIsRefusedWithoutReadingSettings)
{
    fake.singleInstance.otherRunning = true;
    start(""); // no settings file: reading it would show a second message
    EXPECT_FALSE(loaded);
    ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(lastBox().text, "Horaloom is already running.");
    EXPECT_EQ(lastBox().title, "Horaloom");
    EXPECT_EQ(lastBox().style, 16);
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{1});
    EXPECT_EQ(fake.tray.startups, 0);
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(fake.singleInstance.asked, 1); // the running copy comes forward
    fake.singleInstance.laterStart();        // a copy that has ended shows nothing
    EXPECT_FALSE(view.shown);
}

TEST_F(PresenterTest, UnreadableSettingsEndTheProgramNamingTheReason)
{
    struct Case {
        const char* name;
        std::string settings; // empty: no file
        bool fifo;
        const char* reason; // what the box's details say
    };
    const Case cases[] = {
        {"missing file", "", false, "/start/Horaloom.ini: No such file or directory"},
        {"a FIFO in its place", "", true, "not a regular file"},
        {"six lines", " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n", false, "line 7"},
        {"integer out of range", " 0 \r\n 0 \r\n 0 \r\n 40000 \r\n 0 \r\n\r\n0\r\n", false,
         "line 4: value 40000 is outside"},
        {"empty integer", " 0 \r\n\r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n", false, "line 2"},
        {"empty clock line", " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n\r\n", false, "line 7"},
        {"clock not a number", " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\nC:\\BELL\r\nLOUD.WAV\r\n", false,
         "line 7: display clock 'LOUD.WAV' is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake = {};
        view = {};
        if (c.fifo) {
            fake.files.notRegular = {SettingsPath};
        }
        bool shownByALaterStart = false; // while the box is up
        fake.messageBoxes.whileOpen = [this, &shownByALaterStart] {
            fake.singleInstance.laterStart();
            shownByALaterStart = view.shown;
        };
        start(c.settings);
        EXPECT_FALSE(shownByALaterStart);
        EXPECT_FALSE(loaded);
        ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
        EXPECT_EQ(lastBox().text, "Horaloom must be started from its directory");
        EXPECT_EQ(lastBox().title, "Horaloom");
        EXPECT_EQ(lastBox().style, 48);
        EXPECT_NE(lastBox().details.find(c.reason), std::string::npos) << lastBox().details;
        EXPECT_EQ(fake.programEnd.ends, std::vector<int>{1});
        EXPECT_FALSE(view.shown);
        EXPECT_EQ(fake.tray.startups, 0);
    }
}

TEST_F(PresenterTest, WindowIsPlacedByTheSavePositionValue)
{
    struct Case {
        std::int16_t save;
        TwipsPoint corner;
        bool checked;
    };
    // Screen 19200 x 12000 twips, frame 2715 x 3180: centred at (8242.5, 4410).
    const Case cases[] = {
        {1, {-3000, 1995}, true}, {0, {8242.5, 4410}, false}, {2, {1890, 3030}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.save);
        view = {};
        start(" 0 \r\n 0 \r\n " + std::to_string(c.save) + " \r\n-3000 \r\n 1995 \r\n\r\n0\r\n");
        ASSERT_TRUE(loaded);
        EXPECT_EQ(view.corner.left, c.corner.left);
        EXPECT_EQ(view.corner.top, c.corner.top);
        EXPECT_TRUE(view.shown); // the other value shows the window where it was created
        EXPECT_EQ(view.checked[Entry::Position], c.checked);
        EXPECT_EQ(presenter->SavePosition, c.save);
    }
}

TEST_F(PresenterTest, CheckMarksFollowTheNumbersInTheFile)
{
    struct Case {
        const char* repeat;
        const char* clock;
        bool repeatChecked;
        bool clockChecked;
    };
    const Case cases[] = {
        {"1", "1", true, true},   {"0", " 0 ", false, false}, {"1", " 1.0 ", true, true},
        {"0", "+1", false, true}, {"0", "1e0", false, true},  {"0", "01", false, true},
        {"3", "7", false, false}, // other numbers leave the marks as designed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.repeat) + " / '" + c.clock + "'");
        view = {};
        start(std::string(" 0 \r\n ") + c.repeat + " \r\n 0 \r\n 0 \r\n 0 \r\n\r\n" + c.clock +
              "\r\n");
        ASSERT_TRUE(loaded);
        EXPECT_EQ(view.checked[Entry::Repeat], c.repeatChecked);
        EXPECT_EQ(view.checked[Entry::DisplayClock], c.clockChecked);
    }
}

} // namespace
} // namespace horaloom::testing
