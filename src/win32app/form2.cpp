#include "form2.h"

#include "dpi.h"
#include "gdi.h"

namespace horaloom {

namespace {

constexpr int ClientWidth = 2385;
constexpr int OuterHeight = 3800; // designed as the whole window's height, frame included
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
enum : int { idImage = 100, idOpening, idVersion, idOK };

} // namespace

Form2::Form2()
{
    setBackground(RGB(0, 0, 0));
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, Style, FALSE, WS_EX_CONTROLPARENT);
    const HICON icon = clockIcon(32, RGB(255, 0, 0));
    create(ClassName, L"About", Style, nullptr, twipsToPixels(ClientWidth),
           twipsToPixels(OuterHeight) - (frame.bottom - frame.top), icon);

    // The button first: the only control that takes the focus.
    cmdOK = addControl(L"BUTTON", L"&Ok", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                       {600, 2880, 1215, 375}, idOK, defaultFont());
    const HWND image = addControl(L"STATIC", L"", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE,
                                  {960, 120, 480, 480}, idImage, defaultFont());
    SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    const wchar_t* rounded = L"Arial Rounded MT Bold";
    addControl(L"STATIC", L"Horaloom", WS_VISIBLE | SS_CENTER, {120, 720, 2175, 495}, idOpening,
               designedFont(rounded, 20.25, true));
    addControl(L"STATIC", L"Version 1.00", WS_VISIBLE | SS_CENTER, {240, 1200, 1935, 315},
               idVersion, designedFont(rounded, 14.25, true));
}

LRESULT Form2::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        // Closed, it stays loaded: the next opening shows the same window.
        hide();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void Form2::command(int id, int code, HWND)
{
    if (id == idOK && code == BN_CLICKED) {
        hide(); // cmdOk_Click
    }
}

HBRUSH Form2::staticColours(HWND, HDC dc)
{
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    return backgroundBrush();
}

} // namespace horaloom
