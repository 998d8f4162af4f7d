// The tick, the count steps, the alarm and the title writer.
#include "mainpresenter.h"

#include "settingsformat.h"
#include "states.h"

namespace horaloom {

void MainPresenter::refreshTime()
{
    m_clockText = m_platform.clock.timeOfDay();
    m_view.setClockText(m_clockText);
}

void MainPresenter::aimTimer1()
{
    // The tick wakes once a second, a few milliseconds past the change of the wall-clock second:
    // nothing it does can change between two seconds. Timers drift and wake late, and the
    // clock may be set or the machine suspended meanwhile; every tick aims the next one again.
    constexpr int aim = 3;
    const int into = m_platform.clock.millisecondsIntoSecond();
    m_view.startTimer1(1000 - into + aim);
}

void MainPresenter::Timer1_Timer()
{
    if (m_ending) {
        return; // a tick already due when the program ended
    }
    // The six cases in order; each test is made afresh when it is reached. The state is tested
    // first: it is cheap, and the time of day is then read only for the case that can run.
    for (const TickCase& tickCase : tickCases()) {
        if (TimerRunning != tickCase.running || CountMode != tickCase.mode ||
            m_platform.clock.timeOfDay() == m_clockText) {
            continue;
        }
        for (TickStep step : tickCase.steps) {
            runTickStep(step);
        }
    }
    if (m_hiddenInTray && !m_platform.tray.available()) {
        // The tray host has gone, and the icon with it: nothing else could bring the window back.
        ShowSetupScreen();
    }
    if (!m_ending) {
        aimTimer1();
    }
}

void MainPresenter::runTickStep(TickStep step)
{
    switch (step) {
    case TickStep::RefreshTime:
        refreshTime();
        break;
    case TickStep::CountUp:
        CountUp();
        break;
    case TickStep::CountDown:
        CountDown();
        break;
    case TickStep::TitleBar:
        TitleBar();
        break;
    case TickStep::RepeatAvailable:
        m_view.setEntryEnabled(Entry::Repeat, true);
        break;
    case TickStep::RepeatUnavailable:
        m_view.setEntryEnabled(Entry::Repeat, false);
        break;
    }
}

void MainPresenter::CountUp()
{
    const bool limit = stepUp(TimeDigits);
    showDigits();
    if (limit) {
        m_platform.sound.beep();
        CountMode = NoMode;
        m_view.setButtonVisible(Button::Stop, false);
        m_view.setButtonVisible(Button::CountUp, true);
        m_view.setButtonEnabled(Button::CountUp, true);
        m_view.setButtonVisible(Button::CountDown, true);
        m_view.setButtonEnabled(Button::CountDown, true);
        m_platform.messageBoxes.show(
            {"Timer has expired at 100 hours", "Horaloom Shutdown", MsgBox::Exclamation, {}});
    }
    TimeText = timeText(TimeDigits);
}

void MainPresenter::CountDown()
{
    const bool ended = stepDown(TimeDigits);
    showDigits();
    if (ended) {
        if (RepeatCountdown == FlagOn) {
            if (!countdownEndWithRepeat()) {
                return;
            }
        } else {
            countdownEndWithoutRepeat();
        }
    }
    TimeText = timeText(TimeDigits);
}

void MainPresenter::countdownEndWithoutRepeat()
{
    ShowSetupScreen();
    hideButton(Button::Reset);
    TimerRunning = TimerOff;
    if (AlarmType == BeepAlarm) {
        m_view.setAlarmTimer(AlarmTimer::Timer2, true);
    } else if (AlarmType == WaveAlarm) {
        m_platform.sound.playWave(WaveFile);
        m_view.setAlarmTimer(AlarmTimer::Timer3, true);
    }
    m_platform.tray.notify("Horaloom", "The countdown has finished.");
}

bool MainPresenter::countdownEndWithRepeat()
{
    TimeDigits = RepeatDigits;
    showDigits();
    if (allZero(RepeatDigits)) {
        // No starting time was stored: nothing to repeat.
        ResetProgram();
        return false;
    }
    if (AlarmType == BeepAlarm) {
        flashRandomColour();
        m_platform.sound.beep();
    } else if (AlarmType == WaveAlarm) {
        flashRandomColour();
        m_platform.sound.playWave(WaveFile);
    }
    return true;
}

void MainPresenter::flashRandomColour()
{
    m_view.setBackground(PaletteColor(randomColourNumber(m_random.next())));
}

void MainPresenter::Timer2_Timer()
{
    m_platform.sound.beep();
    Timer3_Timer();
}

void MainPresenter::Timer3_Timer()
{
    flashRandomColour();
    CountMode = NoMode;
    m_view.setButtonEnabled(Button::Stop, true);
    m_view.setButtonVisible(Button::Stop, true);
}

void MainPresenter::TitleBar()
{
    // 1 writes the time of day too, 0 the running time only; any other number writes nothing.
    const auto value = numberValue(DisplayClock);
    const int clock = value == 1.0 ? 1 : value == 0.0 ? 0 : -1;
    m_titleWriter.TitleBar(TimeText, m_clockText, clock);
}

void MainPresenter::titlesChanged()
{
    // While a count runs, a window that takes the foreground gets the time at once, and one
    // retitled by its program is decorated afresh; otherwise titles are left alone.
    if (!m_ending && TimerRunning == TimerOn &&
        (CountMode == CountingUp || CountMode == CountingDown)) {
        TitleBar();
    }
}

} // namespace horaloom
