// The five timer commands and the return to idle.
#include "mainpresenter.h"

#include "states.h"

namespace horaloom {

void MainPresenter::ResetProgram()
{
    m_view.setCaption("Horaloom");
    m_view.setBackground(PaletteColor(0));
    hideButton(Button::Start);
    hideButton(Button::Stop);
    showButton(Button::CountUp);
    showButton(Button::CountDown);
    // Hidden in the tray the focus cannot move; the view keeps it for when the window returns.
    m_view.focusButton(Button::CountUp);
    m_view.setButtonLeft(Button::CountDown, 1380);
    for (std::size_t i = 0; i < TimeDigits.size(); ++i) {
        writeDigit(i, 0);
    }
    setDigitsEnabled(false);
    CountMode = NoMode;
    m_view.setAlarmTimer(AlarmTimer::Timer2, false);
    m_view.setAlarmTimer(AlarmTimer::Timer3, false);
    RepeatDigits.fill(0);
}

void MainPresenter::cmdCountUp_Click()
{
    CountMode = CountingUp;
    TimerRunning = TimerOff;
    showButton(Button::Start);
    hideButton(Button::Stop);
    hideButton(Button::CountDown);
    showButton(Button::Reset);
    m_view.focusButton(Button::Start);
}

void MainPresenter::cmdCountDown_Click()
{
    CountMode = CountingDown;
    m_view.setButtonLeft(Button::CountDown, 120);
    TimerRunning = TimerOff;
    showButton(Button::Start);
    hideButton(Button::Stop);
    hideButton(Button::CountUp);
    setDigitsEnabled(true);
    m_view.focusDigit(5);
}

void MainPresenter::cmdStart_Click()
{
    TimerRunning = TimerOn;
    hideButton(Button::CountUp);
    hideButton(Button::CountDown);
    hideButton(Button::Start);
    showButton(Button::Stop);
    m_view.focusButton(Button::Stop);
    setDigitsEnabled(false);
    if (RepeatCountdown == FlagOn) {
        RepeatDigits = TimeDigits;
    }
}

void MainPresenter::cmdStop_Click()
{
    TitleBar();
    m_view.setBackground(PaletteColor(0));
    TimerRunning = TimerOff;
    CountMode = NoMode;
    showButton(Button::CountUp);
    showButton(Button::CountDown);
    hideButton(Button::Start);
    hideButton(Button::Stop);
    showButton(Button::Reset);
    m_view.setButtonLeft(Button::CountDown, 1380);
    m_view.setAlarmTimer(AlarmTimer::Timer2, false);
    m_view.setAlarmTimer(AlarmTimer::Timer3, false);
    m_view.focusButton(Button::Reset);
    for (int i = 0; i < DigitCount; ++i) {
        m_view.setDigitModified(i, false);
    }
    if (m_platform.tray.query()) {
        m_platform.tray.action();
    }
}

void MainPresenter::cmdReset_Click()
{
    TitleBar();
    ResetProgram();
}

} // namespace horaloom
