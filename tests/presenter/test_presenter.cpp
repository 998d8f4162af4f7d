// The main window's behaviour on the fake platform and a recording view: start-up, the tick,
// the commands, the digit boxes, the alarm, the tray and the exit.
#include "presenterfixture.h"

#include <set>

namespace horaloom::testing {
namespace {

using fakes::Focus;

TEST_F(PresenterTest, StartsIdleAndTheTickAimsJustPastEachSecond)
{
    MainPresenter& p = start();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(view.shown);
    EXPECT_EQ(view.on(), "CountUp CountDown Hide Quit");
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_EQ(fake.tray.startups, 1);
    for (const auto& [into, next] : {std::pair{5, 998}, {500, 503}, {995, 8}, {999, 4}}) {
        fake.clock.msec = into;
        p.Timer1_Timer();
        EXPECT_EQ(view.timer1, next) << into;
    }
    seconds(2);
    EXPECT_EQ(view.clockText, fake.clock.time);
    EXPECT_TRUE(fake.titles.writeLog.empty()); // idle: no title touched
}

TEST_F(PresenterTest, StartUpEndsWhereItCannotGoOnSayingWhy)
{
    const char* const fromItsDirectory = "Horaloom must be started from its directory";
    const std::tuple<std::string, const char*, const char*> cases[] = {
        // settings, text, details
        {"other copy", "Horaloom is already running.", ""}, // no settings read either
        {"", fromItsDirectory, "/start/Horaloom.ini: No such file or directory"},
        {"fifo", fromItsDirectory, "not a regular file"},
        {DefaultSettings.substr(0, 27), fromItsDirectory, "line 7"},
        {settingsWith("0", "0", "40000"), fromItsDirectory, "line 3: value 40000 is outside"},
        {settingsWith("0", "0", "0", "X.WAV"), fromItsDirectory,
         "line 7: display clock 'X.WAV' is"},
    };
    for (const auto& [settings, text, details] : cases) {
        fake = {};
        view = {};
        fake.singleInstance.otherRunning = settings == "other copy";
        fake.files.notRegular = {settings == "fifo" ? SettingsPath : ""};
        bool shownMeanwhile = false; // by a later start while the box is up
        fake.messageBoxes.whileOpen = [&] {
            fake.singleInstance.laterStart();
            shownMeanwhile = view.shown;
        };
        start(settings.size() > 10 ? settings : "");
        EXPECT_FALSE(loaded);
        ASSERT_EQ(fake.messageBoxes.shown.size(), 1u) << details;
        EXPECT_EQ(lastBox().text, text);
        EXPECT_EQ(lastBox().title, "Horaloom");
        EXPECT_EQ(lastBox().style, fake.singleInstance.otherRunning ? 16 : 48);
        EXPECT_NE(lastBox().details.find(details), std::string::npos) << lastBox().details;
        EXPECT_EQ(fake.singleInstance.asked, fake.singleInstance.otherRunning ? 1 : 0);
        EXPECT_EQ(fake.programEnd.ends, std::vector<int>{1});
        EXPECT_FALSE(view.shown || shownMeanwhile || fake.tray.startups);
    }
}

TEST_F(PresenterTest, SettingsPlaceTheWindowAndSetTheCheckMarks)
{
    struct Case {
        const char *position, *repeat, *clock;
        TwipsPoint corner; // screen 19200 x 12000, frame 2715 x 3180
        std::array<bool, 3> marks;
    };
    const Case cases[] = {
        {"1", "1", "1", {-3000, 1995}, {true, true, true}}, // taken as it is, off the screen too
        {"0", "0", " 1.0 ", {8242.5, 4410}, {false, false, true}}, // centred
        {"2", "3", "7", {1890, 3030}, {false, false, false}}, // other numbers: left as designed
        {"0", "1", "+1", {8242.5, 4410}, {false, true, true}},
    };
    for (const Case& c : cases) {
        view = {};
        start(settingsWith("0", c.repeat, c.position, c.clock));
        EXPECT_TRUE(loaded && view.shown) << c.clock;
        EXPECT_TRUE(view.corner.left == c.corner.left && view.corner.top == c.corner.top)
            << c.clock;
        EXPECT_EQ((std::array{view.checked[Entry::Position], view.checked[Entry::Repeat],
                              view.checked[Entry::DisplayClock]}),
                  c.marks)
            << c.clock;
    }
}

TEST_F(PresenterTest, CountUpStepsOncePerSecondAndWritesTheTitleAfterTheStep)
{
    MainPresenter& p = start();
    fake.titles.windows[7] = "Letter";
    fake.titles.foreground = 7;
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    p.Timer1_Timer(); // within the same second: no step
    EXPECT_EQ(view.time(), "00:00:00");
    seconds();
    EXPECT_EQ(fake.titles.windows[7], "00:00:01   Letter");
    fake.clock.time = "09:00:02"; // a clock set back by an hour is one more second
    p.Timer1_Timer();
    seconds(58);
    EXPECT_EQ(view.time(), "00:01:00");
    EXPECT_EQ(timeText(p.TimeDigits), "00:01:00");
}

TEST_F(PresenterTest, CountDownWritesTheTitleBeforeAndAfterItsStepAndLocksRepeat)
{
    countDownFrom({0, 0, 0, 1, 0, 0});             // 00:10:00
    EXPECT_TRUE(view.entryEnabled[Entry::Repeat]); // until the first change of the second
    seconds();
    EXPECT_EQ(fake.titles.writeLog,
              (decltype(fake.titles.writeLog){{7, "   Editor"}, {7, "00:09:59   Editor"}}));
    EXPECT_FALSE(view.entryEnabled[Entry::Repeat]);
    presenter->cmdStop_Click();
    seconds();
    EXPECT_TRUE(view.entryEnabled[Entry::Repeat]);
}

TEST_F(PresenterTest, TitlesFollowChangesBetweenTicksOnlyWhileCounting)
{
    MainPresenter& p = start();
    fake.titles.windows = {{7, "Mail"}, {8, "Editor"}};
    fake.titles.foreground = 7;
    fake.titles.changed(); // idle: titles are left alone
    EXPECT_TRUE(fake.titles.writeLog.empty());
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    seconds();
    fake.titles.foreground = 8;
    fake.titles.changed();
    EXPECT_EQ(fake.titles.windows,
              (std::map<WindowId, std::string>{{7, "Mail"}, {8, "00:00:01   Editor"}}));
    p.cmdStop_Click();
    fake.titles.foreground = 7;
    fake.titles.changed();
    EXPECT_EQ(fake.titles.windows[7], "Mail");
}

TEST_F(PresenterTest, DisplayClockValueChoosesTheTitle)
{
    for (const auto& [clock, title] : {std::pair{"0", "00:00:01   Mail"},
                                       {"1", "00:00:01   10:00:01    Mail"},
                                       {" 1.0 ", "00:00:01   10:00:01    Mail"},
                                       {"2", "Mail"}}) { // nothing written
        fake.titles.windows[7] = "Mail";
        fake.titles.foreground = 7;
        fake.clock.time = "10:00:00";
        start(settingsWith("0", "0", "0", clock)).cmdCountUp_Click();
        presenter->cmdStart_Click();
        seconds();
        EXPECT_EQ(fake.titles.windows[7], title) << clock;
    }
}

TEST_F(PresenterTest, HundredHourLimitStopsCountingAndTellsOnce)
{
    MainPresenter& p = start();
    p.TimeDigits = {9, 5, 9, 5, 9, 9};
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    fake.messageBoxes.whileOpen = [&] { seconds(2); }; // seconds go on, counting nothing
    seconds();
    ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(lastBox().text, "Timer has expired at 100 hours");
    EXPECT_EQ(lastBox().title, "Horaloom Shutdown");
    EXPECT_EQ(lastBox().style, 48);
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_EQ(view.on(), "CountUp CountDown Reset Hide Quit");
    seconds(3);
    EXPECT_EQ(view.time(), "00:00:00");
}

TEST_F(PresenterTest, CommandsMoveThroughTheStateTable)
{
    MainPresenter& p = start();
    p.cmdCountUp_Click();
    EXPECT_EQ(view.on(), "CountUp Start Reset Hide Quit");
    EXPECT_EQ(view.focus, Focus(Button::Start));
    p.cmdStart_Click();
    EXPECT_EQ(view.on(), "Stop Reset Hide Quit");
    seconds(5);
    p.cmdStop_Click();
    EXPECT_EQ(view.on(), "CountUp CountDown Reset Hide Quit");
    EXPECT_EQ(view.focus, Focus(Button::Reset));
    EXPECT_FALSE(view.digits[0].modified);
    seconds(2);
    EXPECT_EQ(view.time(), "00:00:05"); // frozen
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    seconds();
    EXPECT_EQ(view.time(), "00:00:06"); // goes on
    p.cmdStop_Click();
    p.cmdCountDown_Click(); // down from the time on show
    EXPECT_EQ(view.on(), "CountDown Start Reset Hide Quit");
    EXPECT_EQ(view.buttons[Button::CountDown].left, 120);
    EXPECT_TRUE(view.digits[5].enabled && view.focus == Focus(5));
    p.cmdStart_Click();
    EXPECT_FALSE(view.digits[0].enabled);
    EXPECT_EQ(view.focus, Focus(Button::Stop));
    seconds();
    EXPECT_EQ(view.time(), "00:00:05");
    p.cmdReset_Click();
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_EQ(view.on(), "CountUp CountDown Reset Hide Quit"); // Reset keeps its own state
    EXPECT_EQ(view.buttons[Button::CountDown].left, 1380);
    EXPECT_EQ(view.focus, Focus(Button::CountUp));
    start().cmdCountDown_Click(); // the first Count Down of a run leaves Reset hidden
    EXPECT_EQ(view.on(), "CountDown Start Hide Quit");
}

TEST_F(PresenterTest, DigitBoxesTakeOnlyDigitsInRangeAndTheFocusMovesOn)
{
    MainPresenter& p = start();
    p.cmdCountDown_Click();
    type("013000");
    EXPECT_EQ(view.focus, Focus(Button::Start));
    view.focus = 3; // a box clicked into and typed over: the focus moves on all the same
    type("4");
    EXPECT_EQ(view.focus, Focus(2));
    // The minutes tens box takes 0 to 5; anything else beeps and changes nothing.
    const std::u32string refused = U"6789a .\b\r\x1b\x03\x16\x18\u0663";
    for (char32_t c : refused) {
        p.digitKeyPress(3, c);
    }
    EXPECT_EQ(fake.sound.beeps, static_cast<int>(refused.size()));
    EXPECT_EQ(view.digits[3].text, "4");
    // Pasted or deleted content never reaches the time; a valid digit is taken as a typed one.
    for (const char* text : {"7", "4x", "12", ""}) {
        p.digitLostFocus(1, text);
        EXPECT_EQ(view.digits[1].text, "0") << text;
    }
    p.digitLostFocus(0, "8");
    p.cmdStart_Click();
    seconds();
    EXPECT_EQ(view.time(), "01:40:07");
}

TEST_F(PresenterTest, CountdownEndBringsTheWindowBackAndFlashesUntilStop)
{
    MainPresenter& p = countDownFrom({2, 0, 0, 0, 0, 0});
    p.cmdHide_Click();
    seconds(2);
    EXPECT_TRUE(view.shown); // brought back
    EXPECT_TRUE(view.alarmTimers[AlarmTimer::Timer2] && fake.tray.notificationShown);
    std::set<Rgb> colours;
    for (int i = 0; i < 40; ++i) {
        p.Timer2_Timer();
        colours.insert(view.background);
    }
    EXPECT_EQ(fake.sound.beeps, 40);
    EXPECT_GT(colours.size(), 5u);
    EXPECT_EQ(view.on(), "Stop Hide Quit");
    p.cmdStop_Click();
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    EXPECT_EQ(view.background, 0x000000u);
    EXPECT_EQ(fake.tray.actions, 1); // the notification is withdrawn
}

TEST_F(PresenterTest, AlarmTypeChoosesTheSound)
{
    // The wave path reaches the sound byte for byte; another type stops silently.
    MainPresenter& p = countDownFrom({}, settingsWith("1", "0", "0", "0", "/sounds/caf\xe9.wav"));
    seconds();
    for (int i = 0; i < 10; ++i) {
        p.Timer3_Timer();
    }
    EXPECT_EQ(fake.sound.played, std::vector<std::string>{"/sounds/caf\xe9.wav"});
    EXPECT_EQ(fake.sound.beeps, 0);
    view = {};
    countDownFrom({}, settingsWith("4", "0"));
    seconds();
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2] || view.alarmTimers[AlarmTimer::Timer3]);
    EXPECT_EQ(fake.sound.beeps, 0);
}

TEST_F(PresenterTest, RepeatReloadsTheStartingTimeEveryCycle)
{
    countDownFrom({3, 0, 0, 0, 0, 0}, settingsWith("0", "1"));
    std::string seen;
    for (int i = 0; i < 7; ++i) {
        seconds();
        seen += view.time().substr(7);
    }
    EXPECT_EQ(seen, "2132132");
    EXPECT_EQ(fake.sound.beeps, 2);
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    fake.sound.beeps = 0; // without a starting time there is nothing to repeat: back to idle
    countDownFrom({}, settingsWith("0", "1"));
    seconds();
    EXPECT_EQ(view.on(), "CountUp CountDown Hide Quit");
    EXPECT_EQ(fake.sound.beeps, 0);
}

TEST_F(PresenterTest, ResetAndASignalHandTheTitleBack)
{
    countDownFrom({0, 0, 0, 1, 0, 0});
    seconds(2);
    fake.titles.foreground = 8; // the user clicks in the main window
    presenter->cmdReset_Click();
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    EXPECT_EQ(view.caption, "Horaloom");
    countDownFrom({0, 0, 0, 1, 0, 0});
    seconds(2);
    presenter->endWithoutAsking();
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
    fake.titles.changed(); // what was due in the same pass of the event loop changes nothing
    seconds();
    EXPECT_EQ(fake.titles.windows[7], "Editor");
}

TEST_F(PresenterTest, HiddenWindowComesBackByTheTrayALaterStartOrTheTrayGoing)
{
    MainPresenter& p = start();
    for (const auto& bringBack : std::vector<std::function<void()>>{
             [&] { fake.tray.release(2); }, [&] { fake.singleInstance.laterStart(); },
             [&] {
                 fake.tray.isAvailable = false;
                 seconds();
             }}) {
        p.cmdHide_Click();
        seconds();
        EXPECT_FALSE(view.shown);
        bringBack();
        EXPECT_TRUE(view.shown);
    }
    p.cmdHide_Click(); // without a tray host nothing could bring it back: it is minimised
    seconds();
    EXPECT_TRUE(view.shown && view.minimised);
}

TEST_F(PresenterTest, QuitAsksAndNoLeavesItIdleWithoutWriting)
{
    MainPresenter& p = countDownFrom({0, 0, 0, 1, 0, 0});
    seconds(3);
    fake.titles.foreground = 8;
    fake.messageBoxes.answers = {MsgBox::No};
    EXPECT_FALSE(p.closeRequested()); // the close button takes the same way
    EXPECT_EQ(lastBox().text, "Are you sure you want to quit?\r\n     (Timer has been reset)");
    EXPECT_EQ(lastBox().title, "Exit Horaloom");
    EXPECT_EQ(lastBox().style, 4);
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_TRUE(fake.programEnd.ends.empty());
    EXPECT_EQ(fake.files.files[SettingsPath], DefaultSettings);
    // Asked during the alarm, which stops first, without the note.
    countDownFrom({});
    seconds();
    presenter->Timer2_Timer();
    bool flashingWhileAsked = true;
    fake.messageBoxes.whileOpen = [&] {
        flashingWhileAsked = view.alarmTimers[AlarmTimer::Timer2];
    };
    presenter->mnuExit_Click();
    EXPECT_FALSE(flashingWhileAsked);
    EXPECT_EQ(lastBox().text, "Are you sure you want to quit?");
    EXPECT_EQ(view.background, 0x000000u);
}

TEST_F(PresenterTest, YesWritesTheFileIntoTheStartDirectoryAndEnds)
{
    MainPresenter& p =
        start(" 1 \r\n 0 \r\n 1 \r\n 2880 \r\n 1995 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n");
    p.mnuPosition_Click();             // off: the place is written all the same
    view.corner = {3000.4, 1500.5};    // rounded half to even
    fake.files.current = "/elsewhere"; // as a file dialog may leave it
    fake.messageBoxes.answers = {MsgBox::Yes};
    p.cmdQuit_Click();
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
    EXPECT_TRUE(view.closedAll && view.timer1 == -1);
    EXPECT_EQ(fake.files.files[SettingsPath],
              " 1 \r\n 0 \r\n 0 \r\n 3000 \r\n 1500 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n");
    EXPECT_TRUE(p.closeRequested()); // the closing window goes without a second question
    EXPECT_EQ(fake.messageBoxes.shown.size(), 1u);
    // Started and quit at once: the file comes back as it was, but for the blank before line 7.
    fake = {};
    start(" 1 \r\n 1 \r\n 1 \r\n-3000 \r\n 1995 \r\n/caf\xe9 d\xe9j\xe0.wav\r\n 1.0 \r\n");
    fake.messageBoxes.answers = {MsgBox::Yes};
    presenter->cmdQuit_Click();
    EXPECT_EQ(fake.files.files[SettingsPath],
              " 1 \r\n 1 \r\n 1 \r\n-3000 \r\n 1995 \r\n/caf\xe9 d\xe9j\xe0.wav\r\n1.0 \r\n");
    // A write that fails is reported, and the program still ends.
    fake = {};
    start();
    fake.files.writeFailure = "No space left on device";
    fake.messageBoxes.answers = {MsgBox::Yes};
    presenter->cmdQuit_Click();
    EXPECT_EQ(lastBox().text,
              "The settings could not be saved to /start/Horaloom.ini:\r\nNo space left on device");
    EXPECT_EQ(lastBox().style, 48);
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
}

TEST_F(PresenterTest, MenuTogglesFlipAndEntriesOpenTheirWindows)
{
    MainPresenter& p = start(settingsWith("0", "1"));
    for (const bool on : {true, false}) {
        p.mnuPosition_Click();
        p.mnuRepeat_Click();
        p.mnuDisplayClock_Click();
        EXPECT_EQ(p.SavePosition, on ? FlagOn : FlagOff);
        EXPECT_EQ(p.RepeatCountdown, on ? FlagOff : FlagOn);
        EXPECT_EQ(p.DisplayClock, on ? "1" : "0");
        EXPECT_EQ(view.checked[Entry::Position], on);
    }
    for (const auto& [handler, window] : {std::pair{&MainPresenter::mnuWav_Click, "Select Alarm"},
                                          {&MainPresenter::mnuProgram_Click, "Help"},
                                          {&MainPresenter::mnuabout_Click, "About"}}) {
        (p.*handler)();
        EXPECT_EQ(view.opened, window);
    }
}

} // namespace
} // namespace horaloom::testing
