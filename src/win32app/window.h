// What Horaloom's top-level windows share: a client area of the designed size, controls placed
// in twips, a background colour, the focus kept across activation, Return and Escape.
#pragma once

#include <windows.h>

#include <string>

namespace horaloom {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND handle() const { return m_window; }
    // Shown, restored if minimised, in front, with the focus where it was left.
    void bringToFront();
    void hide();

protected:
    // Registers the class at its first use, and creates the window invisible, its client area
    // clientWidth x clientHeight pixels, wherever the system puts it.
    void create(const wchar_t* className, const std::wstring& caption, DWORD style, HMENU menu,
                int clientWidth, int clientHeight, HICON icon);
    // A child control, its place in twips within the client area; clipped by the controls
    // above it, which are those made before it. Ids below 100 are the dialog keys'.
    HWND addControl(const wchar_t* className, const std::wstring& text, DWORD style, RECT twips,
                    int id, HFONT font);
    void setBackground(COLORREF colour);
    COLORREF background() const { return m_colour; }
    HBRUSH backgroundBrush() const { return m_brush; }
    // The focus goes to control now if the window is active, else when it next becomes so.
    void focusControl(HWND control);

    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A control's notification (BN_CLICKED...) or a menu entry (code 0, no control).
    virtual void command(int id, int code, HWND control);
    // Colours of a static, read-only or disabled control; null leaves the system's.
    virtual HBRUSH staticColours(HWND control, HDC dc);
    // Return with no button focused presses this one (null: nothing); Escape asks to close.
    virtual HWND defaultButton() { return nullptr; }
    virtual void escapePressed() {}

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    HBRUSH m_brush = nullptr;
    COLORREF m_colour = RGB(0, 0, 0);
    HWND m_focus = nullptr; // the control that had the focus when the window was left
};

} // namespace horaloom
