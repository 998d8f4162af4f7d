// The tick, the counting, the timer commands and their states, and the digit boxes.
#include "presenterfixture.h"

namespace horaloom::testing {
namespace {

TEST_F(PresenterTest, IdleTicksRefreshTheClockOnceASecondAndTouchNoTitle)
{
    MainPresenter& p = start();
    fake.clock.reads = 0;
    p.Timer1_Timer(); // same second: nothing to do but one look at the clock
    EXPECT_EQ(fake.clock.reads, 1);
    second();
    EXPECT_EQ(view.clockText, fake.clock.time);
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_TRUE(fake.titles.writeLog.empty());
}

TEST_F(PresenterTest, TickAimsJustPastTheNextSecond)
{
    MainPresenter& p = start();
    const std::pair<int, int> cases[] = {{5, 998}, {3, 1000}, {500, 503}, {995, 8}, {999, 4}};
    for (const auto& [into, next] : cases) {
        fake.clock.msec = into;
        p.Timer1_Timer();
        EXPECT_EQ(view.timer1, next) << into << " ms into the second";
    }
}

TEST_F(PresenterTest, CountUpStepsOncePerChangeOfTheSecondAndDecorates)
{
    MainPresenter& p = start();
    fake.titles.windows[7] = "Letter - Editor";
    fake.titles.foreground = 7;
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    p.Timer1_Timer(); // within the same second: no step
    EXPECT_EQ(view.time(), "00:00:00");
    second();
    EXPECT_EQ(view.time(), "00:00:01");
    EXPECT_EQ(p.TimeText, "00:00:01");
    EXPECT_EQ(fake.titles.windows[7], "00:00:01   Letter - Editor");
    // A clock set back by an hour is one more second, not an hour.
    fake.clock.time = "09:00:02";
    p.Timer1_Timer();
    EXPECT_EQ(view.time(), "00:00:02");
    seconds(58);
    EXPECT_EQ(view.time(), "00:01:00");
    EXPECT_EQ(stored(), "00:01:00");
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
    second();
    fake.titles.foreground = 8; // another window takes the foreground between two ticks
    fake.titles.changed();
    EXPECT_EQ(fake.titles.windows[7], "Mail");
    EXPECT_EQ(fake.titles.windows[8], "00:00:01   Editor");
    const auto writes = fake.titles.writeLog.size();
    fake.titles.changed(); // nothing new within the second: nothing written
    EXPECT_EQ(fake.titles.writeLog.size(), writes);
    p.cmdStop_Click();
    fake.titles.foreground = 7;
    fake.titles.changed();
    EXPECT_EQ(fake.titles.windows[7], "Mail");
}

TEST_F(PresenterTest, CountDownWritesTheTitleBeforeAndAfterItsStep)
{
    MainPresenter& p = start();
    fake.titles.windows[7] = "Mail";
    fake.titles.foreground = 7;
    p.cmdCountDown_Click();
    p.TimeDigits = {0, 0, 0, 1, 0, 0}; // 00:10:00
    p.cmdStart_Click();
    second();
    EXPECT_EQ(view.time(), "00:09:59");
    ASSERT_EQ(fake.titles.writeLog.size(), 2u);
    EXPECT_EQ(fake.titles.writeLog[0].second, "   Mail"); // before the first step
    EXPECT_EQ(fake.titles.writeLog[1].second, "00:09:59   Mail");
}

TEST_F(PresenterTest, DisplayClockNumberChoosesTheTitleFormat)
{
    struct Case {
        const char* clock;
        const char* title; // nullptr: nothing written
    };
    const Case cases[] = {{"0", "00:00:01   Mail"},
                          {"1", "00:00:01   10:00:01    Mail"},
                          {" 1.0 ", "00:00:01   10:00:01    Mail"},
                          {"2", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clock);
        fake.titles = {};
        fake.titles.windows[7] = "Mail";
        fake.titles.foreground = 7;
        fake.clock.time = "10:00:00";
        MainPresenter& p =
            start(std::string(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n") + c.clock + "\r\n");
        p.cmdCountUp_Click();
        p.cmdStart_Click();
        second();
        EXPECT_EQ(fake.titles.windows[7], c.title ? c.title : "Mail");
    }
}

TEST_F(PresenterTest, RepeatEntryIsUnavailableOnlyWhileACountdownRuns)
{
    MainPresenter& p = start();
    p.cmdCountDown_Click();
    p.TimeDigits = {0, 0, 1, 0, 0, 0};
    p.cmdStart_Click();
    EXPECT_TRUE(view.entryEnabled[Entry::Repeat]); // until the first change of the second
    second();
    EXPECT_FALSE(view.entryEnabled[Entry::Repeat]);
    p.cmdStop_Click();
    EXPECT_FALSE(view.entryEnabled[Entry::Repeat]);
    second();
    EXPECT_TRUE(view.entryEnabled[Entry::Repeat]);
}

TEST_F(PresenterTest, HundredHourLimitStopsCountingAndAsksOnce)
{
    MainPresenter& p = start();
    p.TimeDigits = {9, 5, 9, 5, 9, 9};
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    // Seconds go on while the message is open: the ticks then count nothing.
    int ticksInside = 0;
    fake.messageBoxes.whileOpen = [&] {
        EXPECT_EQ(p.CountMode, NoMode);
        seconds(2);
        ++ticksInside;
    };
    second();
    EXPECT_EQ(ticksInside, 1);
    ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(lastBox().text, "Timer has expired at 100 hours");
    EXPECT_EQ(lastBox().title, "Horaloom Shutdown");
    EXPECT_EQ(lastBox().style, 48);
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_EQ(p.TimeText, "00:00:00");
    EXPECT_EQ(p.TimerRunning, TimerOn);
    EXPECT_FALSE(view.buttons[Button::Stop].visible);
    EXPECT_TRUE(view.isOn(Button::CountUp));
    EXPECT_TRUE(view.isOn(Button::CountDown));
    seconds(3);
    EXPECT_EQ(view.time(), "00:00:00");
}

TEST_F(PresenterTest, CommandsMoveThroughTheStateTable)
{
    MainPresenter& p = start();
    // Idle -> Up ready -> Counting up -> Stopped -> Up ready (continues) -> Idle.
    p.cmdCountUp_Click();
    EXPECT_EQ(p.CountMode, CountingUp);
    EXPECT_TRUE(view.isOn(Button::Start));
    EXPECT_TRUE(view.isOn(Button::Reset));
    EXPECT_TRUE(view.isOff(Button::CountDown));
    EXPECT_TRUE(view.isOn(Button::CountUp));
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(Button::Start)));
    p.cmdStart_Click();
    EXPECT_EQ(p.TimerRunning, TimerOn);
    EXPECT_TRUE(view.isOn(Button::Stop));
    EXPECT_TRUE(view.isOff(Button::CountUp));
    EXPECT_TRUE(view.isOff(Button::Start));
    seconds(5);
    p.cmdStop_Click();
    EXPECT_EQ(p.CountMode, NoMode);
    EXPECT_EQ(p.TimerRunning, TimerOff);
    for (Button b : {Button::CountUp, Button::CountDown, Button::Reset}) {
        EXPECT_TRUE(view.isOn(b));
    }
    EXPECT_TRUE(view.isOff(Button::Stop));
    EXPECT_EQ(view.buttons[Button::CountDown].left, 1380);
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(Button::Reset)));
    for (const auto& box : view.digits) {
        EXPECT_FALSE(box.modified);
    }
    seconds(2);
    EXPECT_EQ(view.time(), "00:00:05"); // frozen
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    second();
    EXPECT_EQ(view.time(), "00:00:06");
    p.cmdStop_Click();
    // Stopped -> Down set-up continues from the time on show.
    p.cmdCountDown_Click();
    p.cmdStart_Click();
    second();
    EXPECT_EQ(view.time(), "00:00:05");
    p.cmdReset_Click();
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_EQ(p.CountMode, NoMode);
    EXPECT_TRUE(view.isOn(Button::Reset)); // Reset keeps its own state
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(Button::CountUp)));
}

TEST_F(PresenterTest, CountDownSetUpMovesTheButtonAndOpensTheBoxes)
{
    MainPresenter& p = start();
    p.cmdCountDown_Click();
    EXPECT_EQ(p.CountMode, CountingDown);
    EXPECT_EQ(view.buttons[Button::CountDown].left, 120);
    EXPECT_TRUE(view.isOff(Button::CountUp));
    EXPECT_TRUE(view.isOn(Button::Start));
    EXPECT_TRUE(view.isOff(Button::Reset)); // the first Count Down leaves Reset hidden
    for (const auto& box : view.digits) {
        EXPECT_TRUE(box.enabled);
    }
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(5)));
    p.cmdStart_Click();
    for (const auto& box : view.digits) {
        EXPECT_FALSE(box.enabled);
    }
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(Button::Stop)));
}

TEST_F(PresenterTest, TypedDigitsFillTheBoxesAndTheFocusEndsOnStart)
{
    MainPresenter& p = start();
    p.cmdCountDown_Click();
    type("013000");
    EXPECT_EQ(view.time(), "01:30:00");
    EXPECT_EQ(stored(), "01:30:00");
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(Button::Start)));
    // A box clicked into and typed over; the same digit again still moves the focus on.
    view.focus = 3;
    type("4");
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(2)));
    EXPECT_EQ(stored(), "01:40:00");
    type("0");
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(1)));
    p.cmdStart_Click();
    second();
    EXPECT_EQ(view.time(), "01:39:59");
}

TEST_F(PresenterTest, RefusedCharactersBeepAndChangeNothing)
{
    MainPresenter& p = start();
    p.cmdCountDown_Click();
    type("12"); // the focus is now in the minutes tens box, which takes 0 to 5
    const std::u32string refused = U"6789a .\b\r\x1b\x03\x16\x18\u0663";
    for (char32_t c : refused) {
        p.digitKeyPress(3, c);
    }
    EXPECT_EQ(fake.sound.beeps, static_cast<int>(refused.size()));
    EXPECT_EQ(view.digits[3].text, "0");
    EXPECT_EQ(view.focus, (std::variant<std::monostate, Button, int>(3)));
    type("5");
    EXPECT_EQ(stored(), "12:50:00");
    // The units boxes take 6 to 9.
    type("9");
    EXPECT_EQ(stored(), "12:59:00");
}

TEST_F(PresenterTest, PastedOrDeletedContentNeverReachesTheTime)
{
    MainPresenter& p = start();
    p.cmdCountDown_Click();
    type("0013");
    // A 7 pasted into a tens box, letters, two digits, a box emptied by Delete.
    for (const char* text : {"7", "4x", "12", ""}) {
        p.digitLostFocus(1, text);
        EXPECT_EQ(view.digits[1].text, "0") << text;
    }
    EXPECT_EQ(stored(), "00:13:00");
    // A valid pasted digit is taken like a typed one.
    p.digitLostFocus(0, "8");
    EXPECT_EQ(stored(), "00:13:08");
}

TEST_F(PresenterTest, ResetFromACountWhileHiddenReturnsToIdle)
{
    MainPresenter& p = start();
    p.cmdCountUp_Click();
    p.cmdStart_Click();
    seconds(3);
    view.caption = "00:00:03   Horaloom";
    view.alarmTimers[AlarmTimer::Timer2] = true;
    view.shown = false;
    p.ResetProgram();
    EXPECT_EQ(view.caption, "Horaloom");
    EXPECT_EQ(view.time(), "00:00:00");
    EXPECT_EQ(p.CountMode, NoMode);
    EXPECT_EQ(p.TimerRunning, TimerOn); // left as it was; the tick relies on the mode
    EXPECT_EQ(p.TimeText, "00:00:03");
    EXPECT_FALSE(view.alarmTimers[AlarmTimer::Timer2]);
    EXPECT_TRUE(view.isOn(Button::CountUp));
    EXPECT_TRUE(view.isOff(Button::Stop));
    EXPECT_TRUE(view.isOn(Button::Reset)); // Reset keeps its state
    seconds(2);
    EXPECT_EQ(view.time(), "00:00:00");
}

} // namespace
} // namespace horaloom::testing
