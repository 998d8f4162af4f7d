#include "form4.h"

#include "dpi.h"
#include "gdi.h"
#include "win32text.h"

namespace horaloom {

namespace {

constexpr int ClientWidth = 4455;
constexpr int ClientHeight = 2055;
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
enum : int { idBeep = 100, idWave, idSound, idWaveFile, idBrowse, idPlay, idOK };

} // namespace

Form4::Form4(std::int16_t& alarmType, std::string& waveFile, Platform& platform,
             std::function<void()> showMainWindow)
    : m_presenter(alarmType, waveFile, platform, *this, std::move(showMainWindow))
{
    setBackground(GetSysColor(COLOR_BTNFACE));
    create(ClassName, L"Select Alarm", Style, nullptr, twipsToPixels(ClientWidth),
           twipsToPixels(ClientHeight), clockIcon(32, RGB(0, 0, 0)));

    // In tab order; the two options are one group, and the frame lies behind everything.
    const HFONT font = defaultFont();
    optBeep =
        addControl(L"BUTTON", L"B&eep", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                   {240, 360, 735, 375}, idBeep, font);
    optWave = addControl(L"BUTTON", L"Play &Wave File", WS_VISIBLE | BS_AUTORADIOBUTTON,
                         {240, 720, 1695, 375}, idWave, font);
    // Shows WaveFile only: the path changes through Browse, so typing is not offered at all.
    txtWaveFile = addControl(
        L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY,
        {240, 1080, 3855, 285}, idWaveFile, font);
    cmdBrowse = addControl(L"BUTTON", L"&Browse", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                           {240, 1440, 1215, 375}, idBrowse, font);
    cmdPlay = addControl(L"BUTTON", L"&Play", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                         {1560, 1440, 1215, 375}, idPlay, font);
    cmdOK = addControl(L"BUTTON", L"&Ok", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                       {2880, 1440, 1215, 375}, idOK, font);
    addControl(L"BUTTON", L"Sound", WS_VISIBLE | BS_GROUPBOX, {120, 120, 4215, 1815}, idSound,
               font);
    SendMessageW(optWave, BM_SETCHECK, BST_CHECKED, 0);

    m_presenter.Form_Load();
}

LRESULT Form4::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        escapePressed();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void Form4::command(int id, int code, HWND)
{
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
    case idBeep:
        m_presenter.optBeep_Click();
        break;
    case idWave:
        m_presenter.optWave_Click();
        break;
    case idBrowse:
        m_presenter.cmdBrowse_Click();
        break;
    case idPlay:
        m_presenter.cmdPlay_Click();
        break;
    case idOK:
        m_presenter.cmdOk_Click();
        break;
    default:
        break;
    }
}

void Form4::setWaveFileText(const std::string& path)
{
    SetWindowTextW(txtWaveFile, wideFromAnsi(path).c_str());
}

void Form4::selectOption(AlarmOption option)
{
    SendMessageW(option == AlarmOption::Beep ? optBeep : optWave, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(option == AlarmOption::Beep ? optWave : optBeep, BM_SETCHECK, BST_UNCHECKED, 0);
}

bool Form4::optionSelected(AlarmOption option)
{
    return SendMessageW(option == AlarmOption::Beep ? optBeep : optWave, BM_GETCHECK, 0, 0) ==
           BST_CHECKED;
}

void Form4::setWaveControlsEnabled(bool enabled)
{
    EnableWindow(txtWaveFile, enabled);
    EnableWindow(cmdBrowse, enabled);
    EnableWindow(cmdPlay, enabled);
}

void Form4::hideDialog()
{
    hide();
}

} // namespace horaloom
