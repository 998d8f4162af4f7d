#include "window.h"

#include "dpi.h"

namespace horaloom {

namespace {

bool isPushButton(HWND control)
{
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const auto type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(className, L"Button") == 0 &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

} // namespace

Window::~Window()
{
    if (m_window) {
        // No message of the destroyed window reaches this object any more.
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
    if (m_brush) {
        DeleteObject(m_brush);
    }
}

void Window::create(const wchar_t* className, const std::wstring& caption, DWORD style, HMENU menu,
                    int clientWidth, int clientHeight, HICON icon)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (!GetClassInfoExW(instance, className, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = icon;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
    // Tab, arrows and access keys go through IsDialogMessageW into the controls.
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, menu != nullptr, exStyle);
    // Centred in the work area until placed otherwise.
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    m_window = CreateWindowExW(exStyle, className, caption.c_str(), style,
                               work.left + (work.right - work.left - width) / 2,
                               work.top + (work.bottom - work.top - height) / 2, width, height,
                               nullptr, menu, instance, this);
    if (!m_window) {
        return;
    }
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    // A menu bar that wraps onto two lines takes from the client area: give it back.
    RECT client{};
    GetClientRect(m_window, &client);
    const int missing = clientHeight - (client.bottom - client.top);
    if (missing != 0) {
        SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + missing,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

HWND Window::addControl(const wchar_t* className, const std::wstring& text, DWORD style, RECT twips,
                        int id, HFONT font)
{
    const HWND control = CreateWindowExW(
        0, className, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, twipsToPixels(twips.left),
        twipsToPixels(twips.top), twipsToPixels(twips.right), twipsToPixels(twips.bottom), m_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control) {
        // New children go to the bottom of the z-order, so the first made lies on top.
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

void Window::setBackground(COLORREF colour)
{
    if (m_brush && colour == m_colour) {
        return;
    }
    const HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) {
        return;
    }
    if (m_brush) {
        DeleteObject(m_brush);
    }
    m_brush = brush;
    m_colour = colour;
    if (m_window) {
        RedrawWindow(m_window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void Window::focusControl(HWND control)
{
    m_focus = control;
    if (GetActiveWindow() == m_window) {
        SetFocus(control);
    }
}

void Window::bringToFront()
{
    ShowWindow(m_window, IsIconic(m_window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(m_window);
}

void Window::hide()
{
    ShowWindow(m_window, SW_HIDE);
}

void Window::command(int, int, HWND) {}

HBRUSH Window::staticColours(HWND, HDC)
{
    return nullptr;
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(m_window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_brush);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush =
                staticColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(m_window, focus)) {
                m_focus = focus;
            }
        } else if (!HIWORD(wParam)) {
            // Back where the user left it, or the first control the Tab key reaches.
            HWND target = m_focus;
            if (!target || !IsWindow(target) || !IsWindowVisible(target) ||
                !IsWindowEnabled(target)) {
                target = GetNextDlgTabItem(m_window, nullptr, FALSE);
            }
            if (target) {
                SetFocus(target);
            }
        }
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const auto control = reinterpret_cast<HWND>(lParam);
        // IsDialogMessageW turns Return into IDOK and Escape into IDCANCEL.
        if (id == IDOK && control == nullptr) {
            const HWND focus = GetFocus();
            const HWND pressed =
                focus && IsChild(m_window, focus) && isPushButton(focus) ? focus : defaultButton();
            if (pressed && IsWindowEnabled(pressed)) {
                SendMessageW(pressed, BM_CLICK, 0, 0);
            }
            return 0;
        }
        if (id == IDCANCEL && control == nullptr) {
            escapePressed();
            return 0;
        }
        command(id, HIWORD(wParam), control);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

} // namespace horaloom
