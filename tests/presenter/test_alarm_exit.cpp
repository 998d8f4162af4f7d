// The alarm, the tray, the Settings toggles and the exit.
#include "presenterfixture.h"

#include <set>

namespace horaloom::testing {
namespace {

TEST_F(PresenterTest, CountdownEndBringsTheWindowBackAndBeepsUntilStop)
{
    MainPresenter& p = start();
    p.cmdCountDown_Click();
    p.TimeDigits = {2, 0, 0, 0, 0, 0};
    p.cmdStart_Click();
    p.cmdHide_Click();
    EXPECT_FALSE(view.shown);
    second();
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    second();
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_TRUE(view.shown); // brought back
    EXPECT_TRUE(view.isOff(Button::Reset));
    EXPECT_EQ(p.TimerRunning, TimerOff);
    EXPECT_EQ(p.CountMode, CountingDown); // until the first alarm tick
    EXPECT_TRUE(view.alarmTimers[AlarmTimer::Timer2]);
    EXPECT_TRUE(fake.tray.notificationShown);
    EXPECT_EQ(p.TimeText, "00:00:00");
    std::set<Rgb> colours;
    for (int i = 0; i < 40; ++i) {
        p.Timer2_Timer();
        colours.insert(view.background);
    }
    EXPECT_EQ(fake.sound.beeps, 40);
    EXPECT_GT(colours.size(), 5u);
    EXPECT_EQ(p.CountMode, NoMode);
    EXPECT_TRUE(view.isOn(Button::Stop));
    p.cmdStop_Click();
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    EXPECT_EQ(view.background, 0x000000u);
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_TRUE(view.isOn(Button::Reset));
    EXPECT_EQ(fake.tray.actions, 1); // the notification is withdrawn
}

TEST_F(PresenterTest, WaveAlarmPlaysOnceAndFlashesSilently)
{
    MainPresenter& p = start(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n/sounds/caf\xe9.wav\r\n0\r\n");
    p.cmdCountDown_Click();
    p.cmdStart_Click(); // from 00:00:00: ends at the first counted second
    second();
    // The path reaches the sound as the file holds it, byte for byte.
    EXPECT_EQ(fake.sound.played, std::vector<std::string>{"/sounds/caf\xe9.wav"});
    EXPECT_TRUE(view.alarmTimers[AlarmTimer::Timer3]);
    for (int i = 0; i < 10; ++i) {
        p.Timer3_Timer();
    }
    EXPECT_EQ(fake.sound.beeps, 0);
    EXPECT_EQ(fake.sound.played.size(), 1u);
}

TEST_F(PresenterTest, OtherAlarmTypeStopsAtZeroWithoutSignal)
{
    MainPresenter& p = start(" 4 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n");
    p.cmdCountDown_Click();
    p.cmdStart_Click();
    second();
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer3]);
    EXPECT_EQ(p.TimerRunning, TimerOff);
    EXPECT_TRUE(view.isOn(Button::Stop));
    EXPECT_EQ(fake.sound.beeps, 0);
}

TEST_F(PresenterTest, RepeatReloadsTheStartingTimeEveryCycle)
{
    MainPresenter& p = start(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n");
    p.cmdCountDown_Click();
    p.TimeDigits = {3, 0, 0, 0, 0, 0};
    p.cmdStart_Click();
    std::vector<std::string> seen;
    for (int i = 0; i < 7; ++i) {
        second();
        seen.push_back(view.time());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"00:00:02", "00:00:01", "00:00:03", "00:00:02",
                                              "00:00:01", "00:00:03", "00:00:02"}));
    EXPECT_EQ(fake.sound.beeps, 2);
    EXPECT_EQ(p.TimerRunning, TimerOn);
    EXPECT_EQ(p.CountMode, CountingDown);
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    EXPECT_FALSE(view.entryEnabled[Entry::Repeat]);
    // Stopped midway and started again, the remaining time is the new starting time.
    p.cmdStop_Click();
    p.cmdCountDown_Click();
    p.cmdStart_Click();
    seconds(2);
    EXPECT_EQ(view.time(), "00:00:02");
}

TEST_F(PresenterTest, RepeatWithoutAStartingTimeResetsToIdle)
{
    MainPresenter& p = start(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n");
    p.cmdCountDown_Click();
    p.cmdStart_Click();
    p.TimeText = "kept";
    second();
    EXPECT_EQ(p.CountMode, NoMode);
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_EQ(p.TimeText, "kept");
    EXPECT_TRUE(view.isOn(Button::CountUp));
    EXPECT_EQ(fake.sound.beeps, 0);
}

TEST_F(PresenterTest, StopAndResetHandTheDecoratedTitleBack)
{
    MainPresenter& p = start();
    fake.titles.windows[7] = "Letter - Editor";
    fake.titles.windows[8] = "Horaloom";
    fake.titles.foreground = 7;
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    seconds(2);
    fake.titles.foreground = 8; // the user clicks in the main window
    p.cmdReset_Click();
    EXPECT_EQ(fake.titles.windows[7], "Letter - Editor");
    EXPECT_EQ(fake.titles.windows[8], "00:00:02   Horaloom");
    EXPECT_EQ(view.caption, "Horaloom");
}

TEST_F(PresenterTest, EndBySignalHandsTheTitleBackForGood)
{
    MainPresenter& p = start();
    fake.titles.windows[7] = "Letter - Editor";
    fake.titles.foreground = 7;
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    seconds(2);
    ASSERT_EQ(fake.titles.windows[7], "00:00:02   Letter - Editor");
    p.endWithoutAsking();
    EXPECT_EQ(fake.titles.windows[7], "Letter - Editor");
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
    // What was already due in the event loop's pass changes nothing.
    fake.titles.changed();
    second();
    EXPECT_EQ(fake.titles.windows[7], "Letter - Editor");
}

TEST_F(PresenterTest, HiddenWindowComesBackByTrayLaterStartOrTheTrayGoing)
{
    MainPresenter& p = start();
    p.cmdHide_Click();
    EXPECT_FALSE(view.shown);
    fake.tray.release(2);
    EXPECT_TRUE(view.shown);
    fake.tray.release(1); // already shown: stays
    EXPECT_TRUE(view.shown);

    // Starting Horaloom again brings the window back and to the front.
    p.cmdHide_Click();
    const int restores = view.restores;
    fake.singleInstance.laterStart();
    EXPECT_TRUE(view.shown);
    EXPECT_EQ(view.restores, restores + 1);

    // The tray host goes away while the window is hidden: the next tick shows it.
    p.cmdHide_Click();
    second();
    EXPECT_FALSE(view.shown);
    fake.tray.isAvailable = false;
    second();
    EXPECT_TRUE(view.shown);

    // Without a tray host the icon could not bring it back: Hide minimises instead, and the
    // tick leaves a minimised window alone.
    p.cmdHide_Click();
    second();
    EXPECT_TRUE(view.shown);
    EXPECT_TRUE(view.minimised);
}

TEST_F(PresenterTest, ExitWhileCountingAsksWithTheNoteAndNoLeavesItIdle)
{
    MainPresenter& p = start();
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    seconds(3);
    fake.messageBoxes.answers = {MsgBox::No};
    p.cmdQuit_Click();
    ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(lastBox().text, "Are you sure you want to quit?\r\n     (Timer has been reset)");
    EXPECT_EQ(lastBox().title, "Exit Horaloom");
    EXPECT_EQ(lastBox().style, 4);
    EXPECT_EQ(p.TimerRunning, TimerOff);
    EXPECT_EQ(p.CountMode, NoMode);
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_TRUE(fake.programEnd.ends.empty());
    EXPECT_EQ(fake.files.files[SettingsPath], DefaultSettings);
    // The second attempt asks without the note.
    fake.messageBoxes.answers = {MsgBox::No};
    p.mnuExit_Click();
    EXPECT_EQ(lastBox().text, "Are you sure you want to quit?");
}

TEST_F(PresenterTest, YesWritesTheFileIntoTheStartDirectoryAndEnds)
{
    MainPresenter& p =
        start(" 1 \r\n 0 \r\n 1 \r\n 2880 \r\n 1995 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n");
    EXPECT_EQ(view.corner.left, 2880);
    p.mnuPosition_Click();             // off: the position is written all the same
    view.corner = {3000.4, 1500.5};    // rounded half to even: 1500
    fake.files.current = "/elsewhere"; // as a file dialog may leave it
    fake.messageBoxes.answers = {MsgBox::Yes};
    p.cmdQuit_Click();
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
    EXPECT_TRUE(view.closedAll);
    EXPECT_EQ(view.timer1, -1);
    EXPECT_EQ(fake.files.files[SettingsPath],
              " 1 \r\n 0 \r\n 0 \r\n 3000 \r\n 1500 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n");
    EXPECT_EQ(fake.files.files.count("/elsewhere/Horaloom.ini"), 0u);
    EXPECT_TRUE(p.closeRequested()); // the closing window is let go without a second question
    EXPECT_EQ(fake.messageBoxes.shown.size(), 1u);
}

TEST_F(PresenterTest, StartedAndQuitAtOnceTheFileComesBackByteForByte)
{
    // A wave path in Latin-1, carried over from another system: bytes, not UTF-8.
    const std::string file =
        " 1 \r\n 1 \r\n 1 \r\n-3000 \r\n 1995 \r\n/sons/caf\xe9 d\xe9j\xe0.wav\r\n 1.0 \r\n";
    MainPresenter& p = start(file);
    fake.messageBoxes.answers = {MsgBox::Yes};
    p.cmdQuit_Click();
    // Line 7 loses only the blank before it, which the reader skips.
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
    EXPECT_EQ(lastBox().text, "The settings could not be saved to /start/Horaloom.ini:\r\n"
                              "No space left on device");
    EXPECT_EQ(lastBox().title, "Exit Horaloom");
    EXPECT_EQ(lastBox().style, 48);
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
    EXPECT_EQ(fake.files.files[SettingsPath], DefaultSettings);
}

TEST_F(PresenterTest, TogglesReturnToTheirFirstStateAfterTwoClicks)
{
    MainPresenter& p = start(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n");
    p.mnuPosition_Click();
    p.mnuRepeat_Click();
    p.mnuDisplayClock_Click();
    EXPECT_EQ(p.SavePosition, FlagOn);
    EXPECT_EQ(p.RepeatCountdown, FlagOff);
    EXPECT_EQ(p.DisplayClock, "1");
    EXPECT_TRUE(view.checked[Entry::Position]);
    EXPECT_FALSE(view.checked[Entry::Repeat]);
    EXPECT_TRUE(view.checked[Entry::DisplayClock]);
    p.mnuPosition_Click();
    p.mnuRepeat_Click();
    p.mnuDisplayClock_Click();
    EXPECT_EQ(p.SavePosition, FlagOff);
    EXPECT_EQ(p.RepeatCountdown, FlagOn);
    EXPECT_EQ(p.DisplayClock, "0");
    EXPECT_FALSE(view.checked[Entry::Position]);
    EXPECT_TRUE(view.checked[Entry::Repeat]);
    EXPECT_FALSE(view.checked[Entry::DisplayClock]);
}

TEST_F(PresenterTest, CloseButtonTakesTheExitPath)
{
    MainPresenter& p = start();
    fake.messageBoxes.answers = {MsgBox::No};
    EXPECT_FALSE(p.closeRequested());
    EXPECT_EQ(fake.messageBoxes.shown.size(), 1u);
    fake.messageBoxes.answers = {MsgBox::Yes};
    EXPECT_TRUE(p.closeRequested());
    EXPECT_EQ(fake.programEnd.ends, std::vector<int>{0});
}

TEST_F(PresenterTest, ExitDuringTheAlarmStopsItAndAsksWithoutTheNote)
{
    MainPresenter& p = start();
    fake.titles.windows[7] = "Editor";
    fake.titles.windows[8] = "Horaloom";
    fake.titles.foreground = 7;
    p.cmdCountDown_Click();
    p.cmdStart_Click();
    second(); // from 00:00:00: the alarm starts at once
    p.Timer2_Timer();
    bool flashingWhileAsked = true;
    fake.messageBoxes.whileOpen = [&] {
        flashingWhileAsked = view.alarmTimers[AlarmTimer::Timer2];
    };
    fake.titles.foreground = 8;
    fake.messageBoxes.answers = {MsgBox::No};
    p.cmdQuit_Click();
    EXPECT_FALSE(flashingWhileAsked);
    EXPECT_EQ(lastBox().text, "Are you sure you want to quit?");
    EXPECT_EQ(view.background, 0x000000u);
    EXPECT_TRUE(view.isOff(Button::Stop));
    EXPECT_TRUE(view.isOn(Button::CountUp));
    // The decorated window has its own title back, whatever the answer.
    EXPECT_EQ(fake.titles.windows[7], "Editor");
    EXPECT_EQ(view.caption, "Horaloom");
}

TEST_F(PresenterTest, MenuEntriesOpenTheirWindows)
{
    MainPresenter& p = start();
    const std::pair<void (MainPresenter::*)(), const char*> cases[] = {
        {&MainPresenter::mnuWav_Click, "Select Alarm"},
        {&MainPresenter::mnuProgram_Click, "Help"},
        {&MainPresenter::mnuabout_Click, "About"}};
    for (const auto& [handler, window] : cases) {
        (p.*handler)();
        EXPECT_EQ(view.opened, window);
    }
}

} // namespace
} // namespace horaloom::testing
