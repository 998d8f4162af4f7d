// Form1, continued: what the presenter asks of the window, done with the window's controls.
#include "form1.h"

#include "dpi.h"
#include "form2.h"
#include "form4.h"
#include "frmhelp.h"
#include "win32text.h"

namespace horaloom {

HWND Form1::button(Button which) const
{
    switch (which) {
    case Button::CountUp:
        return cmdCountUp;
    case Button::CountDown:
        return cmdCountDown;
    case Button::Start:
        return cmdStart;
    case Button::Stop:
        return cmdStop;
    case Button::Reset:
        return cmdReset;
    case Button::Hide:
        return cmdHide;
    case Button::Quit:
        break;
    }
    return cmdQuit;
}

UINT Form1::entryId(Entry which) const
{
    switch (which) {
    case Entry::Position:
        return mnuPosition;
    case Entry::Repeat:
        return mnuRepeat;
    case Entry::DisplayClock:
        break;
    }
    return mnuDisplayClock;
}

DigitEdit& Form1::digitBox(int index)
{
    DigitEdit* boxes[] = {&txtSeconds1, &txtSeconds2, &txtMinutes1,
                          &txtMinutes2, &txtHours1,   &txtHours2};
    return *boxes[index >= 0 && index < 6 ? index : 0];
}

void Form1::setButtonEnabled(Button which, bool enabled)
{
    EnableWindow(button(which), enabled);
}

void Form1::setButtonVisible(Button which, bool visible)
{
    ShowWindow(button(which), visible ? SW_SHOWNA : SW_HIDE);
}

void Form1::setButtonLeft(Button which, int twips)
{
    const HWND b = button(which);
    RECT place{};
    GetWindowRect(b, &place);
    MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(b, nullptr, twipsToPixels(twips), place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::focusButton(Button which)
{
    focusControl(button(which));
}

void Form1::setDigitText(int index, const std::string& text)
{
    digitBox(index).showDigit(wideFromUtf8(text));
}

void Form1::setDigitEnabled(int index, bool enabled)
{
    EnableWindow(digitBox(index).handle(), enabled);
}

void Form1::focusDigit(int index)
{
    focusControl(digitBox(index).handle());
}

void Form1::setDigitModified(int index, bool modified)
{
    SendMessageW(digitBox(index).handle(), EM_SETMODIFY, modified, 0);
}

void Form1::setClockText(const std::string& text)
{
    const std::wstring shown = wideFromUtf8(text);
    wchar_t now[80] = {};
    GetWindowTextW(txtTime, now, 80);
    if (shown != now) {
        SetWindowTextW(txtTime, shown.c_str());
    }
}

void Form1::setBackground(Rgb colour)
{
    Window::setBackground(RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
}

void Form1::setCaption(const std::string& caption)
{
    SetWindowTextW(handle(), wideFromUtf8(caption).c_str());
}

void Form1::setEntryChecked(Entry which, bool checked)
{
    CheckMenuItem(m_menu, entryId(which), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Form1::setEntryEnabled(Entry which, bool enabled)
{
    EnableMenuItem(m_menu, entryId(which), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Form1::startTimer1(int milliseconds)
{
    SetTimer(handle(), idTimer1, static_cast<UINT>(milliseconds > 0 ? milliseconds : 1), nullptr);
}

void Form1::stopTimer1()
{
    KillTimer(handle(), idTimer1);
}

void Form1::setAlarmTimer(AlarmTimer timer, bool running)
{
    const bool second = timer == AlarmTimer::Timer3;
    bool& active = m_alarmRunning[second ? 1 : 0];
    const UINT_PTR id = second ? idTimer3 : idTimer2;
    if (!running) {
        KillTimer(handle(), id);
        active = false;
    } else if (!active) {
        // Enabling a running timer leaves its rhythm alone.
        SetTimer(handle(), id, 500, nullptr);
        active = true;
    }
}

TwipsRect Form1::screen()
{
    return {0, 0, pixelsToTwips(GetSystemMetrics(SM_CXSCREEN)),
            pixelsToTwips(GetSystemMetrics(SM_CYSCREEN))};
}

TwipsSize Form1::frameSize()
{
    RECT frame{};
    GetWindowRect(handle(), &frame);
    return {pixelsToTwips(frame.right - frame.left), pixelsToTwips(frame.bottom - frame.top)};
}

TwipsPoint Form1::position()
{
    RECT frame{};
    GetWindowRect(handle(), &frame);
    if (IsIconic(handle())) {
        // Minimised, the window stands far off the screen; its place is the restored one.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(handle(), &placement);
        frame = placement.rcNormalPosition;
    }
    return {pixelsToTwips(frame.left), pixelsToTwips(frame.top)};
}

void Form1::moveTo(TwipsPoint corner)
{
    SetWindowPos(handle(), nullptr, twipsToPixels(corner.left), twipsToPixels(corner.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form1::isShown()
{
    return IsWindowVisible(handle()) != FALSE;
}

void Form1::showWindow()
{
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    UpdateWindow(handle());
}

void Form1::hideWindow()
{
    hide();
}

void Form1::minimiseWindow()
{
    ShowWindow(handle(), SW_MINIMIZE);
}

void Form1::restoreWindow()
{
    bringToFront();
    RedrawWindow(handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form1::openAbout()
{
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>();
    }
    m_form2->bringToFront();
}

void Form1::openHelp()
{
    if (!m_frmHelp) {
        m_frmHelp = std::make_unique<frmHelp>();
    }
    m_frmHelp->bringToFront();
}

void Form1::openSelectAlarm()
{
    // A dialog closed other than by Ok is gone; the next opening loads a fresh one.
    if (!m_form4 || !m_form4->handle()) {
        m_form4 = std::make_unique<Form4>(m_presenter.AlarmType, m_presenter.WaveFile, m_platform,
                                          [this] { ShowWindow(handle(), SW_SHOW); });
    }
    m_form4->bringToFront();
}

void Form1::closeAllWindows()
{
    m_ending = true;
    for (Window* window : {static_cast<Window*>(m_form4.get()), static_cast<Window*>(m_form2.get()),
                           static_cast<Window*>(m_frmHelp.get())}) {
        if (window && window->handle()) {
            window->hide();
        }
    }
    hide();
}

} // namespace horaloom
