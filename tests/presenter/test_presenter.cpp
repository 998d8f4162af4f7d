// The main window's behaviour on the fake platform and a recording view: start-up, the tick,
// the commands, the digit boxes, the alarm, the tray and the exit.
#include "fakemainview.h"
#include "fakeplatform.h"
#include "mainpresenter.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace horaloom::testing {
namespace {

using fakes::Focus;

const std::string DefaultSettings = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n";
const std::string SettingsPath = "/start/Horaloom.ini";

// The settings file with these values for alarm, repeat, position and display clock.
std::string settingsWith(const std::string& alarm, const std::string& repeat,
                         const std::string& position = "0", const std::string& clock = "0",
                         const std::string& wave = "")
{
    return " " + alarm + " \r\n " + repeat + " \r\n " + position + " \r\n-3000 \r\n 1995 \r\n" +
           wave + "\r\n" + clock + "\r\n";
}

// A presenter on the fake platform and the fake view, started in "/start" with a settings file.
class PresenterTest : public ::testing::Test {
protected:
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    fakes::FakeMainView view;
    std::unique_ptr<MainPresenter> presenter;
    bool loaded = false;

    // Starts afresh with these settings; with no file at all when settings is empty.
    MainPresenter& start(const std::string& settings = DefaultSettings)
    {
        if (!settings.empty()) {
            fake.files.files[SettingsPath] = settings;
        }
        presenter = std::make_unique<MainPresenter>(platform, view);
        loaded = presenter->Form_Load();
        return *presenter;
    }
    // Counting up, or down from a time, with window 7 "Editor" in front of Horaloom's 8.
    MainPresenter& count(std::optional<Digits> down = {},
                         const std::string& settings = DefaultSettings)
    {
        MainPresenter& p = start(settings);
        fake.titles.windows = {{7, "Editor"}, {8, "Horaloom"}};
        fake.titles.foreground = 7;
        down ? p.cmdCountDown_Click() : p.cmdCountUp_Click();
        p.TimeDigits = down.value_or(p.TimeDigits);
        p.cmdStart_Click();
        return p;
    }
    // One wall-clock second passes and the tick sees it.
    void seconds(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            fake.clock.advance();
            presenter->Timer1_Timer();
        }
    }
    // The last message box as "title: text (style)".
    std::string lastBox() const
    {
        const Message& m = fake.messageBoxes.shown.back();
        return m.title + ": " + m.text + " (" + std::to_string(m.style) + ")";
    }
};

TEST_F(PresenterTest, StartUpEndsWhereItCannotGoOnSayingWhy)
{
    const std::string fromItsDirectory =
        "Horaloom: Horaloom must be started from its directory (48)";
    const std::tuple<std::string, std::string, const char*> cases[] = {
        // settings, box, details
        {"other copy", "Horaloom: Horaloom is already running. (16)", ""}, // no settings read
        {"", fromItsDirectory, "/start/Horaloom.ini: No such file or directory"},
        {DefaultSettings.substr(0, 27), fromItsDirectory, "line 7"}, // the format's own reasons
    };
    for (const auto& [settings, box, details] : cases) {
        fake = {};
        view = {};
        fake.singleInstance.otherRunning = settings == "other copy";
        bool shownMeanwhile = false; // by a later start while the box is up
        fake.messageBoxes.whileOpen = [&] {
            fake.singleInstance.laterStart();
            shownMeanwhile = view.shown;
        };
        start(settings.size() > 10 ? settings : "");
        EXPECT_FALSE(loaded);
        ASSERT_EQ(fake.messageBoxes.shown.size(), 1u) << details;
        EXPECT_EQ(lastBox(), box);
        const std::string& shownDetails = fake.messageBoxes.shown[0].details;
        EXPECT_NE(shownDetails.find(details), std::string::npos) << shownDetails;
        EXPECT_EQ(fake.programEnd.ends, std::vector<int>{1});
        EXPECT_FALSE(view.shown || shownMeanwhile || fake.tray.startups);
    }
}

TEST_F(PresenterTest, SettingsPlaceTheWindowSetTheCheckMarksTheMenuFlipsAndChooseTheTitle)
{
    // Position, repeat and display clock; the corner placed on a screen of 19200 x 12000 for a
    // frame of 2715 x 3180; the check marks; the title in front one second into a count.
    using Case = std::tuple<const char*, const char*, const char*, TwipsPoint, std::array<bool, 3>,
                            const char*>;
    const Case cases[] = {
        {"1", "1", "1", {-3000, 1995}, {true, true, true}, "00:00:01   10:00:01    Editor"},
        {"0", "0", " 1.0 ", {8242.5, 4410}, {false, false, true}, "00:00:01   10:00:01    Editor"},
        {"2", "3", "7", {1890, 3030}, {false, false, false}, "Editor"}, // left as designed
        {"0", "1", "0", {8242.5, 4410}, {false, true, false}, "00:00:01   Editor"},
    };
    const auto checked = [this] {
        return std::array{view.checked[Entry::Position], view.checked[Entry::Repeat],
                          view.checked[Entry::DisplayClock]};
    };
    for (const auto& [position, repeat, clock, corner, marks, title] : cases) {
        fake = {};
        view = {};
        MainPresenter& p = count({}, settingsWith("0", repeat, position, clock));
        seconds();
        EXPECT_TRUE(loaded && view.shown) << clock;
        EXPECT_TRUE(view.corner.left == corner.left && view.corner.top == corner.top) << clock;
        EXPECT_EQ(checked(), marks) << clock;
        EXPECT_EQ(fake.titles.windows[7], title) << clock;
        p.mnuPosition_Click();
        p.mnuRepeat_Click();
        p.mnuDisplayClock_Click();
        EXPECT_EQ(checked(), (std::array{!marks[0], !marks[1], !marks[2]})) << clock;
    }
}

TEST_F(PresenterTest, CountUpWritesTheTitleAfterTheStepFollowsTheForegroundAndEndsAt100Hours)
{
    MainPresenter& p = count();
    p.Timer1_Timer(); // within the same second: no step
    EXPECT_EQ(view.time(), "00:00:00");
    seconds();
    fake.titles.foreground = 8; // at once, not at the next tick
    fake.titles.changed();
    EXPECT_EQ(fake.titles.windows,
              (std::map<WindowId, std::string>{{7, "Editor"}, {8, "00:00:01   Horaloom"}}));
    fake.clock.second -= 3599; // a clock set back by an hour is one more second
    p.Timer1_Timer();
    seconds(58);
    EXPECT_EQ(view.time(), "00:01:00");
    p.cmdStop_Click(); // stopped: followed no more
    fake.titles.foreground = 7;
    fake.titles.changed();
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    p.TimeDigits = {9, 5, 9, 5, 9, 9};
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    fake.messageBoxes.whileOpen = [&] { seconds(2); }; // seconds go on, counting nothing
    seconds();
    ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(lastBox(), "Horaloom Shutdown: Timer has expired at 100 hours (48)");
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_EQ(view.on(), "CountUp CountDown Reset Hide Quit");
    seconds(3);
    EXPECT_EQ(view.time(), "00:00:00");
}

TEST_F(PresenterTest, CountDownWritesTheTitleAroundItsStepAndResetQuitOrASignalHandItBack)
{
    count(Digits{0, 0, 0, 1, 0, 0});               // 00:10:00
    EXPECT_TRUE(view.entryEnabled[Entry::Repeat]); // until the first change of the second
    seconds();
    EXPECT_EQ(fake.titles.writes, 2);
    EXPECT_EQ(fake.titles.windows[7], "00:09:59   Editor");
    EXPECT_FALSE(view.entryEnabled[Entry::Repeat]);
    fake.titles.foreground = 8; // the user clicks in the main window
    presenter->cmdReset_Click();
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    seconds();
    EXPECT_TRUE(view.entryEnabled[Entry::Repeat]);
    // The close button asks as Quit does; No leaves it idle, and writes nothing.
    count(Digits{0, 0, 0, 1, 0, 0});
    seconds(3);
    fake.titles.foreground = 8;
    fake.messageBoxes.answers = {MsgBox::No};
    EXPECT_FALSE(presenter->closeRequested());
    EXPECT_EQ(lastBox(),
              "Exit Horaloom: Are you sure you want to quit?\r\n     (Timer has been reset) (4)");
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_TRUE(fake.programEnd.ends.empty());
    EXPECT_EQ(fake.files.files[SettingsPath], DefaultSettings);
    count(Digits{0, 0, 0, 1, 0, 0});
    seconds(2);
    presenter->endWithoutAsking();
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
    fake.titles.changed(); // what was due in the same pass of the event loop changes nothing
    seconds();
    EXPECT_EQ(fake.titles.windows[7], "Editor");
}

// Typing box by box, the focus moving on, the beeps and a box left empty are seen through the
// widgets in tests/views; which characters a box takes, in tests/engine.
TEST_F(PresenterTest, StartsIdleTheTickAimsJustPastEachSecondAndCommandsMoveThroughTheStateTable)
{
    MainPresenter& p = start();
    EXPECT_EQ(view.on(), "CountUp CountDown Hide Quit");
    for (const auto& [into, next] : {std::pair{5, 998}, {500, 503}, {995, 8}, {999, 4}}) {
        fake.clock.msec = into;
        p.Timer1_Timer();
        EXPECT_EQ(view.timer1, next) << into;
    }
    fake.titles.windows[7] = "Mail";
    fake.titles.foreground = 7;
    seconds(2);
    fake.titles.changed();
    EXPECT_EQ(view.clockText, "10:00:02");
    EXPECT_EQ(fake.titles.writes, 0); // idle: no title touched
    using M = MainPresenter;
    const std::tuple<void (M::*)(), const char*, Focus, int, const char*> steps[] = {
        // the command, the buttons it leaves, the focus, seconds that pass, the time then
        {&M::cmdCountUp_Click, "CountUp Start Reset Hide Quit", Button::Start, 0, "00:00:00"},
        {&M::cmdStart_Click, "Stop Reset Hide Quit", Button::Stop, 5, "00:00:05"},
        {&M::cmdStop_Click, "CountUp CountDown Reset Hide Quit", Button::Reset, 2, "00:00:05"},
        {&M::cmdCountUp_Click, "CountUp Start Reset Hide Quit", Button::Start, 0, "00:00:05"},
        {&M::cmdStart_Click, "Stop Reset Hide Quit", Button::Stop, 1, "00:00:06"},
        {&M::cmdStop_Click, "CountUp CountDown Reset Hide Quit", Button::Reset, 0, "00:00:06"},
        {&M::cmdCountDown_Click, "CountDown Start Reset Hide Quit", 5, 0, "00:00:06"}, // from it
        {&M::cmdStart_Click, "Stop Reset Hide Quit", Button::Stop, 1, "00:00:05"},
        {&M::cmdReset_Click, "CountUp CountDown Reset Hide Quit", Button::CountUp, 0, "00:00:00"},
    };
    for (const auto& [command, on, focus, passing, time] : steps) {
        (p.*command)();
        EXPECT_EQ(view.on(), on) << time;
        EXPECT_EQ(view.focus, focus) << time;
        seconds(passing);
        EXPECT_EQ(view.time(), time) << on;
        const bool settingDown = std::string_view(on).starts_with("CountDown"); // typed in
        if (settingDown || on[1] == 't') { // and none while counting
            EXPECT_EQ(view.digits[0].enabled, settingDown) << on;
        }
        if (view.buttons[Button::CountDown].visible) { // moved left while it is set
            EXPECT_EQ(view.buttons[Button::CountDown].left, settingDown ? 120 : 1380) << on;
        }
    }
    fake.tray.isAvailable = false; // nothing could bring a hidden window back
    p.cmdHide_Click();
    seconds();
    EXPECT_TRUE(view.shown && view.minimised);
    start().cmdCountDown_Click(); // the first Count Down of a run leaves Reset hidden
    EXPECT_EQ(view.on(), "CountDown Start Hide Quit");
    presenter->digitLostFocus(1, "7"); // pasted content never reaches the time
    presenter->digitLostFocus(0, "8"); // a valid digit is taken as a typed one
    EXPECT_EQ(timeText(presenter->TimeDigits), "00:00:08");
}

// Beeps and colours are counted in tests/desktop.
TEST_F(PresenterTest, CountdownEndBringsTheWindowBackWithTheAlarmOfItsTypeUntilStopOrQuit)
{
    // The wave file's path reaches the sound byte for byte, once; the alarm flashes silently.
    MainPresenter& p =
        count(Digits{2, 0, 0, 0, 0, 0}, settingsWith("1", "0", "0", "0", "/sounds/caf\xe9.wav"));
    p.cmdHide_Click();
    seconds(2);
    EXPECT_TRUE(view.shown); // brought back
    EXPECT_TRUE(view.alarmTimers[AlarmTimer::Timer3] && fake.tray.notificationShown);
    p.Timer3_Timer();
    p.Timer3_Timer();
    EXPECT_EQ(fake.sound.played, std::vector<std::string>{"/sounds/caf\xe9.wav"});
    EXPECT_EQ(view.on(), "Stop Hide Quit");
    p.cmdStop_Click();
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer3]);
    EXPECT_EQ(view.background, 0x000000u);
    EXPECT_EQ(fake.tray.actions, 1);         // the notification is withdrawn
    count(Digits{}, settingsWith("4", "0")); // another type ends without an alarm
    seconds();
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2] || view.alarmTimers[AlarmTimer::Timer3]);
    EXPECT_EQ(fake.sound.beeps, 0);
    // The beep alarm, asked to quit: it stops first, and the question has no note.
    count(Digits{});
    seconds();
    presenter->Timer2_Timer();
    EXPECT_TRUE(view.alarmTimers[AlarmTimer::Timer2] && fake.sound.beeps == 1);
    bool flashingWhileAsked = true;
    fake.messageBoxes.whileOpen = [&] {
        flashingWhileAsked = view.alarmTimers[AlarmTimer::Timer2];
    };
    presenter->mnuExit_Click();
    EXPECT_FALSE(flashingWhileAsked);
    EXPECT_EQ(lastBox(), "Exit Horaloom: Are you sure you want to quit? (4)");
    EXPECT_EQ(view.background, 0x000000u);
}

TEST_F(PresenterTest, RepeatReloadsTheStartingTimeEveryCycle)
{
    count(Digits{3, 0, 0, 0, 0, 0}, settingsWith("0", "1"));
    std::string seen;
    for (int i = 0; i < 7; ++i) {
        seconds();
        seen += view.time().substr(7);
    }
    EXPECT_EQ(seen, "2132132");
    EXPECT_EQ(fake.sound.beeps, 2);
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    fake.sound.beeps = 0; // without a starting time there is nothing to repeat: back to idle
    count(Digits{}, settingsWith("0", "1"));
    seconds();
    EXPECT_EQ(view.on(), "CountUp CountDown Hide Quit");
    EXPECT_EQ(fake.sound.beeps, 0);
}

TEST_F(PresenterTest, YesWritesTheFileIntoTheStartDirectoryAndEnds)
{
    // A Latin-1 wave path comes back byte for byte; the blank before line 7 goes.
    MainPresenter& p =
        start(" 1 \r\n 1 \r\n 1 \r\n 2880 \r\n 1995 \r\n/caf\xe9 d\xe9j\xe0.wav\r\n 1.0 \r\n");
    p.mnuPosition_Click();             // off: the place is written all the same
    p.mnuRepeat_Click();               // off, as the toggles are written
    view.corner = {3000.4, 1500.5};    // rounded half to even
    fake.files.current = "/elsewhere"; // as a file dialog may leave it
    fake.messageBoxes.answers = {MsgBox::Yes};
    p.cmdQuit_Click();
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
    EXPECT_TRUE(view.closedAll && view.timer1 == -1);
    EXPECT_EQ(fake.files.files[SettingsPath],
              " 1 \r\n 0 \r\n 0 \r\n 3000 \r\n 1500 \r\n/caf\xe9 d\xe9j\xe0.wav\r\n1.0 \r\n");
    EXPECT_TRUE(p.closeRequested()); // the closing window goes without a second question
    EXPECT_EQ(fake.messageBoxes.shown.size(), 1u);
    // A write that fails is reported, and the program still ends.
    fake = {};
    start();
    fake.files.writeFailure = "No space left on device";
    fake.messageBoxes.answers = {MsgBox::Yes};
    presenter->cmdQuit_Click();
    EXPECT_EQ(lastBox(), "Exit Horaloom: The settings could not be saved to "
                         "/start/Horaloom.ini:\r\nNo space left on device (48)");
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
}

} // namespace
} // namespace horaloom::testing
