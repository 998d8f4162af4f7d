// The main window's behaviour on the fake platform and a recording view: start-up, the tick,
// the commands, the digit boxes, the alarm, the tray and the exit.
#include "presenterfixture.h"

#include <set>

namespace horaloom::testing {
namespace {

using fakes::Focus;

TEST_F(PresenterTest, StartsIdleWithTheClockRunning)
{
    MainPresenter& p = start();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(view.shown);
    EXPECT_EQ(view.time(), "00:00:00");
    for (Button b : {Button::CountUp, Button::CountDown, Button::Quit, Button::Hide}) {
        EXPECT_TRUE(view.isOn(b));
    }
    for (Button b : {Button::Start, Button::Stop, Button::Reset}) {
        EXPECT_TRUE(view.isOff(b));
    }
    EXPECT_FALSE(view.digits[5].enabled);
    EXPECT_EQ(view.clockText, fake.clock.time);
    EXPECT_EQ(fake.tray.startups, 1);
    EXPECT_TRUE(fake.messageBoxes.shown.empty());
    // The tick aims just past the next change of the second, wherever in the second it is.
    for (const auto& [into, next] : {std::pair{5, 998}, {500, 503}, {995, 8}, {999, 4}}) {
        fake.clock.msec = into;
        p.Timer1_Timer();
        EXPECT_EQ(view.timer1, next) << into;
    }
    seconds(2);
    EXPECT_EQ(view.clockText, fake.clock.time);
    EXPECT_TRUE(fake.titles.writeLog.empty());
}

TEST_F(PresenterTest, StartUpEndsWhereItCannotGoOnSayingWhy)
{
    struct Case {
        std::string settings; // empty: no file
        bool fifo, otherCopy;
        const char* text;
        const char* details;
    };
    const char* const fromItsDirectory = "Horaloom must be started from its directory";
    const Case cases[] = {
        {"", false, true, "Horaloom is already running.", ""}, // no settings read either
        {"", false, false, fromItsDirectory, "/start/Horaloom.ini: No such file or directory"},
        {"", true, false, fromItsDirectory, "not a regular file"},
        {DefaultSettings.substr(0, 27), false, false, fromItsDirectory, "line 7"},
        {settingsWith("0", "0", "40000"), false, false, fromItsDirectory,
         "line 3: value 40000 is outside"},
        {settingsWith("0", "0", "0", "LOUD.WAV"), false, false, fromItsDirectory,
         "line 7: display clock 'LOUD.WAV' is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.details);
        fake = {};
        view = {};
        fake.singleInstance.otherRunning = c.otherCopy;
        if (c.fifo) {
            fake.files.notRegular = {SettingsPath};
        }
        bool shownMeanwhile = false; // by a later start while the box is up
        fake.messageBoxes.whileOpen = [this, &shownMeanwhile] {
            fake.singleInstance.laterStart();
            shownMeanwhile = view.shown;
        };
        start(c.settings);
        EXPECT_FALSE(loaded);
        ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
        EXPECT_EQ(lastBox().text, c.text);
        EXPECT_EQ(lastBox().title, "Horaloom");
        EXPECT_EQ(lastBox().style, c.otherCopy ? 16 : 48);
        EXPECT_NE(lastBox().details.find(c.details), std::string::npos) << lastBox().details;
        EXPECT_EQ(fake.singleInstance.asked, c.otherCopy ? 1 : 0); // the running copy comes forward
        EXPECT_EQ(fake.programEnd.ends, std::vector<int>{1});
        EXPECT_FALSE(view.shown || shownMeanwhile);
        EXPECT_EQ(fake.tray.startups, 0);
    }
}

TEST_F(PresenterTest, SettingsPlaceTheWindowAndSetTheCheckMarks)
{
    struct Case {
        const char* position;
        const char* repeat;
        const char* clock;
        TwipsPoint corner; // screen 19200 x 12000, frame 2715 x 3180
        bool positionMark, repeatMark, clockMark;
    };
    const Case cases[] = {
        {"1", "1", "1", {-3000, 1995}, true, true, true}, // taken as it is, even off the screen
        {"0", "0", " 1.0 ", {8242.5, 4410}, false, false, true}, // centred
        {"2", "3", "7", {1890, 3030}, false, false, false},      // other numbers: left as designed
        {"0", "1", "+1", {8242.5, 4410}, false, true, true},
        {"0", "0", "01", {8242.5, 4410}, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clock);
        view = {};
        start(settingsWith("0", c.repeat, c.position, c.clock));
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(view.shown);
        EXPECT_EQ(view.corner.left, c.corner.left);
        EXPECT_EQ(view.corner.top, c.corner.top);
        EXPECT_EQ(view.checked[Entry::Position], c.positionMark);
        EXPECT_EQ(view.checked[Entry::Repeat], c.repeatMark);
        EXPECT_EQ(view.checked[Entry::DisplayClock], c.clockMark);
    }
}

TEST_F(PresenterTest, CountUpStepsOncePerSecondAndWritesTheTitleAfterTheStep)
{
    MainPresenter& p = start();
    fake.titles.windows[7] = "Letter - Editor";
    fake.titles.foreground = 7;
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    p.Timer1_Timer(); // within the same second: no step
    EXPECT_EQ(view.time(), "00:00:00");
    seconds();
    EXPECT_EQ(view.time(), "00:00:01");
    EXPECT_EQ(fake.titles.windows[7], "00:00:01   Letter - Editor");
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
    EXPECT_EQ(view.time(), "00:09:59");
    ASSERT_EQ(fake.titles.writeLog.size(), 2u);
    EXPECT_EQ(fake.titles.writeLog[0].second, "   Editor"); // before the first step
    EXPECT_EQ(fake.titles.writeLog[1].second, "00:09:59   Editor");
    EXPECT_FALSE(view.entryEnabled[Entry::Repeat]);
    presenter->cmdStop_Click();
    EXPECT_FALSE(view.entryEnabled[Entry::Repeat]);
    seconds();
    EXPECT_TRUE(view.entryEnabled[Entry::Repeat]);
}

TEST_F(PresenterTest, ChangesBetweenTicksAreFollowedOnlyWhileCounting)
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
    EXPECT_EQ(fake.titles.windows[7], "Mail");
    EXPECT_EQ(fake.titles.windows[8], "00:00:01   Editor");
    p.cmdStop_Click();
    fake.titles.foreground = 7;
    fake.titles.changed();
    EXPECT_EQ(fake.titles.windows[7], "Mail");
}

TEST_F(PresenterTest, DisplayClockValueChoosesTheTitle)
{
    const std::pair<const char*, const char*> cases[] = {{"0", "00:00:01   Mail"},
                                                         {"1", "00:00:01   10:00:01    Mail"},
                                                         {" 1.0 ", "00:00:01   10:00:01    Mail"},
                                                         {"2", "Mail"}}; // nothing written
    for (const auto& [clock, title] : cases) {
        fake.titles = {};
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
    int ticksInside = 0; // seconds go on while the message is up, and count nothing
    fake.messageBoxes.whileOpen = [&] {
        seconds(2);
        ++ticksInside;
    };
    seconds();
    EXPECT_EQ(ticksInside, 1);
    ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(lastBox().text, "Timer has expired at 100 hours");
    EXPECT_EQ(lastBox().title, "Horaloom Shutdown");
    EXPECT_EQ(lastBox().style, 48);
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_FALSE(view.buttons[Button::Stop].visible);
    EXPECT_TRUE(view.isOn(Button::CountUp) && view.isOn(Button::CountDown));
    seconds(3);
    EXPECT_EQ(view.time(), "00:00:00");
}

TEST_F(PresenterTest, CommandsMoveThroughTheStateTable)
{
    MainPresenter& p = start();
    p.cmdCountUp_Click();
    EXPECT_TRUE(view.isOn(Button::Start) && view.isOn(Button::Reset));
    EXPECT_TRUE(view.isOff(Button::CountDown));
    EXPECT_EQ(view.focus, Focus(Button::Start));
    p.cmdStart_Click();
    EXPECT_TRUE(view.isOn(Button::Stop) && view.isOff(Button::CountUp) &&
                view.isOff(Button::Start));
    seconds(5);
    p.cmdStop_Click();
    EXPECT_TRUE(view.isOn(Button::CountUp) && view.isOn(Button::CountDown));
    EXPECT_TRUE(view.isOn(Button::Reset) && view.isOff(Button::Stop));
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
    EXPECT_EQ(view.buttons[Button::CountDown].left, 120);
    EXPECT_TRUE(view.isOff(Button::CountUp));
    EXPECT_TRUE(view.digits[0].enabled && view.digits[5].enabled);
    EXPECT_EQ(view.focus, Focus(5));
    p.cmdStart_Click();
    EXPECT_FALSE(view.digits[5].enabled);
    EXPECT_EQ(view.focus, Focus(Button::Stop));
    seconds();
    EXPECT_EQ(view.time(), "00:00:05");
    p.cmdReset_Click();
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_EQ(view.buttons[Button::CountDown].left, 1380);
    EXPECT_EQ(view.focus, Focus(Button::CountUp));
    EXPECT_TRUE(view.isOn(Button::Reset)); // Reset keeps its own state
    // The first Count Down of a run leaves Reset hidden.
    start().cmdCountDown_Click();
    EXPECT_TRUE(view.isOff(Button::Reset));
}

TEST_F(PresenterTest, DigitBoxesTakeOnlyDigitsInRangeAndTheFocusMovesOn)
{
    MainPresenter& p = start();
    p.cmdCountDown_Click();
    type("013000");
    EXPECT_EQ(timeText(p.TimeDigits), "01:30:00");
    EXPECT_EQ(view.focus, Focus(Button::Start));
    view.focus = 3; // a box clicked into and typed over: the focus moves on all the same
    type("4");
    EXPECT_EQ(view.focus, Focus(2));
    // The minutes tens box takes 0 to 5; anything else beeps and changes nothing.
    view.focus = 3;
    const std::u32string refused = U"6789a .\b\r\x1b\x03\x16\x18\u0663";
    for (char32_t c : refused) {
        p.digitKeyPress(3, c);
    }
    EXPECT_EQ(fake.sound.beeps, static_cast<int>(refused.size()));
    EXPECT_EQ(view.digits[3].text, "4");
    EXPECT_EQ(view.focus, Focus(3));
    // Pasted or deleted content never reaches the time; a valid digit is taken like a typed one.
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
    EXPECT_TRUE(view.isOff(Button::Reset));
    EXPECT_TRUE(view.alarmTimers[AlarmTimer::Timer2]);
    EXPECT_TRUE(fake.tray.notificationShown);
    std::set<Rgb> colours;
    for (int i = 0; i < 40; ++i) {
        p.Timer2_Timer();
        colours.insert(view.background);
    }
    EXPECT_EQ(fake.sound.beeps, 40);
    EXPECT_GT(colours.size(), 5u);
    EXPECT_TRUE(view.isOn(Button::Stop));
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
    EXPECT_EQ(fake.sound.played, std::vector<std::string>{"/sounds/caf\xe9.wav"});
    EXPECT_TRUE(view.alarmTimers[AlarmTimer::Timer3]);
    for (int i = 0; i < 10; ++i) {
        p.Timer3_Timer();
    }
    EXPECT_EQ(fake.sound.beeps, 0);
    EXPECT_EQ(fake.sound.played.size(), 1u);
    view = {};
    countDownFrom({}, settingsWith("4", "0"));
    seconds();
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2] || view.alarmTimers[AlarmTimer::Timer3]);
    EXPECT_EQ(fake.sound.beeps, 0);
}

TEST_F(PresenterTest, RepeatReloadsTheStartingTimeEveryCycle)
{
    countDownFrom({3, 0, 0, 0, 0, 0}, settingsWith("0", "1"));
    std::vector<std::string> seen;
    for (int i = 0; i < 7; ++i) {
        seconds();
        seen.push_back(view.time());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"00:00:02", "00:00:01", "00:00:03", "00:00:02",
                                              "00:00:01", "00:00:03", "00:00:02"}));
    EXPECT_EQ(fake.sound.beeps, 2);
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    // Without a starting time there is nothing to repeat: back to idle.
    fake.sound.beeps = 0;
    countDownFrom({}, settingsWith("0", "1"));
    seconds();
    EXPECT_EQ(presenter->CountMode, NoMode);
    EXPECT_TRUE(view.isOn(Button::CountUp));
    EXPECT_EQ(fake.sound.beeps, 0);
}

TEST_F(PresenterTest, StopResetAndASignalHandTheTitleBack)
{
    MainPresenter& p = countDownFrom({0, 0, 0, 1, 0, 0});
    seconds(2);
    fake.titles.foreground = 8; // the user clicks in the main window
    p.cmdReset_Click();
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    EXPECT_EQ(view.caption, "Horaloom");
    countDownFrom({0, 0, 0, 1, 0, 0});
    seconds(2);
    ASSERT_EQ(fake.titles.windows[7], "00:09:58   Editor");
    presenter->endBySignal();
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
    // Without a tray host nothing could bring it back: Hide minimises instead.
    p.cmdHide_Click();
    seconds();
    EXPECT_TRUE(view.shown && view.minimised);
}

TEST_F(PresenterTest, QuitAsksAndNoLeavesItIdleWithoutWriting)
{
    MainPresenter& p = countDownFrom({0, 0, 0, 1, 0, 0});
    seconds(3);
    fake.titles.foreground = 8;
    bool flashingWhileAsked = true;
    fake.messageBoxes.whileOpen = [&] {
        flashingWhileAsked = view.alarmTimers[AlarmTimer::Timer2];
    };
    fake.messageBoxes.answers = {MsgBox::No};
    EXPECT_FALSE(p.closeRequested()); // the close button takes the same path
    EXPECT_EQ(lastBox().text, "Are you sure you want to quit?\r\n     (Timer has been reset)");
    EXPECT_EQ(lastBox().title, "Exit Horaloom");
    EXPECT_EQ(lastBox().style, 4);
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_TRUE(fake.programEnd.ends.empty());
    EXPECT_EQ(fake.files.files[SettingsPath], DefaultSettings);
    // Asked again, or during the alarm (which stops), without the note.
    countDownFrom({});
    seconds();
    presenter->Timer2_Timer();
    fake.messageBoxes.answers = {MsgBox::No};
    presenter->mnuExit_Click();
    EXPECT_FALSE(flashingWhileAsked);
    EXPECT_EQ(lastBox().text, "Are you sure you want to quit?");
    EXPECT_EQ(view.background, 0x000000u);
    EXPECT_TRUE(view.isOff(Button::Stop));
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
    EXPECT_TRUE(view.closedAll);
    EXPECT_EQ(view.timer1, -1);
    EXPECT_EQ(fake.files.files[SettingsPath],
              " 1 \r\n 0 \r\n 0 \r\n 3000 \r\n 1500 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n");
    EXPECT_TRUE(p.closeRequested()); // the closing window goes without a second question
    EXPECT_EQ(fake.messageBoxes.shown.size(), 1u);
    // Started and quit at once: the file comes back as it was, but for the blank before line 7.
    fake = {};
    start(" 1 \r\n 1 \r\n 1 \r\n-3000 \r\n 1995 \r\n/sons/caf\xe9 d\xe9j\xe0.wav\r\n 1.0 \r\n");
    fake.messageBoxes.answers = {MsgBox::Yes};
    presenter->cmdQuit_Click();
    EXPECT_EQ(fake.files.files[SettingsPath],
              " 1 \r\n 1 \r\n 1 \r\n-3000 \r\n 1995 \r\n/sons/caf\xe9 d\xe9j\xe0.wav\r\n1.0 \r\n");
}

TEST_F(PresenterTest, FailedWriteIsReportedAndTheProgramStillEnds)
{
    MainPresenter& p = start();
    fake.files.writeFailure = "No space left on device";
    fake.messageBoxes.answers = {MsgBox::Yes};
    p.cmdQuit_Click();
    ASSERT_EQ(fake.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(lastBox().text,
              "The settings could not be saved to /start/Horaloom.ini:\r\nNo space left on device");
    EXPECT_EQ(lastBox().style, 48);
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
}

TEST_F(PresenterTest, MenuTogglesFlipAndEntriesOpenTheirWindows)
{
    MainPresenter& p = start(settingsWith("0", "1"));
    for (int round = 0; round < 2; ++round) {
        p.mnuPosition_Click();
        p.mnuRepeat_Click();
        p.mnuDisplayClock_Click();
        const bool on = round == 0;
        EXPECT_EQ(p.SavePosition, on ? FlagOn : FlagOff);
        EXPECT_EQ(p.RepeatCountdown, on ? FlagOff : FlagOn);
        EXPECT_EQ(p.DisplayClock, on ? "1" : "0");
        EXPECT_EQ(view.checked[Entry::Position], on);
        EXPECT_EQ(view.checked[Entry::Repeat], !on);
    }
    const std::pair<void (MainPresenter::*)(), const char*> entries[] = {
        {&MainPresenter::mnuWav_Click, "Select Alarm"},
        {&MainPresenter::mnuProgram_Click, "Help"},
        {&MainPresenter::mnuabout_Click, "About"}};
    for (const auto& [handler, window] : entries) {
        (p.*handler)();
        EXPECT_EQ(view.opened, window);
    }
}

} // namespace
} // namespace horaloom::testing
