#include "frmhelp.h"

#include "dpi.h"
#include "gdi.h"
#include "helptext.h"
#include "win32text.h"

namespace horaloom {

namespace {

constexpr int ClientWidth = 5985;
constexpr int ClientHeight = 5205;
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
enum : int { idOk = 100, idText, idImage };

} // namespace

frmHelp::frmHelp()
{
    setBackground(RGB(0, 0, 0));
    const HICON icon = clockIcon(32, RGB(0, 0, 0));
    create(ClassName, L"Horaloom Version 1.00 Help", Style, nullptr, twipsToPixels(ClientWidth),
           twipsToPixels(ClientHeight), icon);

    // In tab order: the button holds the focus when the window opens; the text is skipped.
    cmdOk = addControl(L"BUTTON", L"&Ok", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                       {2460, 4440, 1215, 495}, idOk, defaultFont());
    // Read-only, without scroll bars, as designed: how much shows depends on the font.
    Text1 = addControl(L"EDIT", wideFromUtf8(helpText()),
                       WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_CENTER, {240, 780, 5475, 3435},
                       idText, defaultFont());
    const HWND image = addControl(L"STATIC", L"", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE,
                                  {2760, 120, 480, 480}, idImage, defaultFont());
    SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

LRESULT frmHelp::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        hide();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void frmHelp::command(int id, int code, HWND)
{
    if (id == idOk && code == BN_CLICKED) {
        hide(); // cmdOk_Click
    }
}

HBRUSH frmHelp::staticColours(HWND control, HDC dc)
{
    SetTextColor(dc, control == Text1 ? RGB(0, 255, 255) : RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    return backgroundBrush();
}

} // namespace horaloom
