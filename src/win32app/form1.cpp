#include "form1.h"

#include "dpi.h"
#include "form2.h"
#include "form4.h"
#include "frmhelp.h"
#include "gdi.h"

namespace horaloom {

namespace {

// Client area of the main window, and where it stands before the settings place it.
constexpr int ClientWidth = 2655;
constexpr int ClientHeight = 2415;
constexpr int CreatedLeft = 1890;
constexpr int CreatedTop = 3030;

// Clipping its children, the window's flashes do not paint over the controls first.
constexpr DWORD MainStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

} // namespace

Form1::Form1(Platform& platform) : m_platform(platform), m_presenter(platform, *this)
{
    m_white = CreateSolidBrush(RGB(255, 255, 255));
    Window::setBackground(RGB(0, 0, 0));
    createMenus();
    create(ClassName, L"Horaloom", MainStyle, m_menu, twipsToPixels(ClientWidth),
           twipsToPixels(ClientHeight), clockIcon(32, RGB(0, 0, 0)));
    createControls();

    // Placed by its client area, as designed; the frame's corner follows from the frame.
    RECT frame{};
    RECT client{};
    GetWindowRect(handle(), &frame);
    GetClientRect(handle(), &client);
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    SetWindowPos(handle(), nullptr, twipsToPixels(CreatedLeft) - (client.left - frame.left),
                 twipsToPixels(CreatedTop) - (client.top - frame.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Form1::~Form1()
{
    m_form4.reset();
    m_form2.reset();
    m_frmHelp.reset();
    if (m_white) {
        DeleteObject(m_white);
    }
}

void Form1::createMenus()
{
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, mnuExit, L"&Exit");
    const HMENU settings = CreatePopupMenu();
    AppendMenuW(settings, MF_STRING, mnuPosition, L"Save &Position on Exit");
    AppendMenuW(settings, MF_STRING, mnuRepeat, L"&Repeat Countdown");
    AppendMenuW(settings, MF_STRING, mnuDisplayClock, L"&Display Clock in Title Bar");
    AppendMenuW(settings, MF_SEPARATOR, 0, nullptr); // mnuHyph1
    AppendMenuW(settings, MF_STRING, mnuWav, L"&Select Alarm");
    const HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, mnuProgram, L"&Program");
    AppendMenuW(help, MF_STRING, mnuabout, L"&About");

    m_menu = CreateMenu();
    AppendMenuW(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), L"&Settings");
    AppendMenuW(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
}

void Form1::createControls()
{
    // Made in tab order, which is also the order of the z-order from the top: where buttons
    // share a place, Count Up and Count Down lie above Hide, as designed.
    const HFONT digits = designedFont(L"MS Sans Serif", 24, false);
    auto makeBox = [&](DigitEdit& box, int id, int index, int left) {
        const HWND edit =
            addControl(L"EDIT", L"", WS_TABSTOP | WS_VISIBLE | WS_DISABLED | ES_CENTER,
                       {left, 120, 375, 555}, id, digits);
        box.attach(
            edit, [this, index](char32_t c) { m_presenter.digitKeyPress(index, c); },
            [this, index](const std::string& text) { m_presenter.digitLostFocus(index, text); });
    };
    makeBox(txtHours2, idHours2, 5, 120);
    makeBox(txtHours1, idHours1, 4, 480);
    makeBox(txtMinutes2, idMinutes2, 3, 960);
    makeBox(txtMinutes1, idMinutes1, 2, 1320);
    makeBox(txtSeconds2, idSeconds2, 1, 1800);
    makeBox(txtSeconds1, idSeconds1, 0, 2160);

    const HFONT font = defaultFont();
    auto makeButton = [&](const wchar_t* caption, int id, int left, int top) {
        return addControl(L"BUTTON", caption, WS_TABSTOP | WS_VISIBLE | BS_PUSHBUTTON,
                          {left, top, 1155, 375}, id, font);
    };
    cmdCountUp = makeButton(L"Count &Up", idCountUp, 120, 1440);
    cmdCountDown = makeButton(L"Count &Down", idCountDown, 1380, 1440);
    cmdStart = makeButton(L"St&art Timer", idStart, 1380, 1440);
    cmdStop = makeButton(L"St&op Timer", idStop, 1380, 1440);
    cmdReset = makeButton(L"&Reset", idReset, 120, 1920);
    cmdQuit = makeButton(L"&Quit", idQuit, 1380, 1920);
    txtTime = addControl(L"EDIT", L"", WS_VISIBLE | WS_DISABLED | WS_BORDER | ES_LEFT,
                         {1380, 1020, 1155, 285}, idTime, font);
    cmdHide = makeButton(L"&Hide", idHide, 120, 1440);

    // The colons are drawn greyed, being disabled, on the white of the strip.
    const HFONT colon = designedFont(L"MS Sans Serif", 19.5, true);
    m_colons[0] = addControl(L"STATIC", L":", WS_VISIBLE | WS_DISABLED | SS_CENTER,
                             {1680, 120, 135, 555}, idColon1, colon);
    m_colons[1] = addControl(L"STATIC", L":", WS_VISIBLE | WS_DISABLED | SS_CENTER,
                             {840, 120, 135, 555}, idColon2, colon);
    m_labels[0] = addControl(L"STATIC", L"Current Time:", WS_VISIBLE | SS_RIGHT,
                             {120, 1080, 1155, 255}, idCurrentTime, font);
    m_labels[1] = addControl(L"STATIC", L"Seconds", WS_VISIBLE | SS_CENTER, {1800, 720, 735, 255},
                             idSecondsLabel, font);
    m_labels[2] = addControl(L"STATIC", L"Minutes", WS_VISIBLE | SS_CENTER, {960, 720, 735, 255},
                             idMinutesLabel, font);
    m_labels[3] = addControl(L"STATIC", L"Hours", WS_VISIBLE | SS_CENTER, {120, 720, 735, 255},
                             idHoursLabel, font);
}

LRESULT Form1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (m_ending) {
            return 0;
        }
        switch (wParam) {
        case idTimer1:
            // One shot: each tick aims the next.
            KillTimer(handle(), idTimer1);
            m_presenter.Timer1_Timer();
            break;
        case idTimer2:
            m_presenter.Timer2_Timer();
            break;
        case idTimer3:
            m_presenter.Timer3_Timer();
            break;
        default:
            break;
        }
        return 0;
    case WM_CLOSE:
        // The close button is File, Exit: asked, and saved on Yes.
        if (!m_ending) {
            m_presenter.closeRequested();
        }
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Logging off ends us without a word: the decorated window gets its title back first.
        if (wParam) {
            m_presenter.endWithoutAsking();
        }
        return 0;
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

void Form1::command(int id, int code, HWND control)
{
    if (m_ending || (control && code != BN_CLICKED)) {
        return;
    }
    MainPresenter& p = m_presenter;
    switch (id) {
    case idCountUp:
        p.cmdCountUp_Click();
        break;
    case idCountDown:
        p.cmdCountDown_Click();
        break;
    case idStart:
        p.cmdStart_Click();
        break;
    case idStop:
        p.cmdStop_Click();
        break;
    case idReset:
        p.cmdReset_Click();
        break;
    case idHide:
        p.cmdHide_Click();
        break;
    case idQuit:
        p.cmdQuit_Click();
        break;
    case mnuExit:
        p.mnuExit_Click();
        break;
    case mnuPosition:
        p.mnuPosition_Click();
        break;
    case mnuRepeat:
        p.mnuRepeat_Click();
        break;
    case mnuDisplayClock:
        p.mnuDisplayClock_Click();
        break;
    case mnuWav:
        p.mnuWav_Click();
        break;
    case mnuProgram:
        p.mnuProgram_Click();
        break;
    case mnuabout:
        p.mnuabout_Click();
        break;
    default:
        break;
    }
}

HBRUSH Form1::staticColours(HWND control, HDC dc)
{
    for (HWND label : m_labels) {
        if (control == label) {
            SetTextColor(dc, RGB(255, 255, 255));
            SetBkColor(dc, background());
            return backgroundBrush();
        }
    }
    const bool colon = control == m_colons[0] || control == m_colons[1];
    const int id = GetDlgCtrlID(control);
    if (colon || (id >= idHours2 && id <= idSeconds2)) {
        // The white strip that reads HH:MM:SS; a disabled box draws its digit grey.
        SetTextColor(dc, IsWindowEnabled(control) ? RGB(0, 0, 0) : RGB(0x80, 0x80, 0x80));
        SetBkColor(dc, RGB(255, 255, 255));
        return m_white;
    }
    if (id == idTime) {
        return nullptr;
    }
    // Around the buttons' faces.
    return backgroundBrush();
}

} // namespace horaloom
