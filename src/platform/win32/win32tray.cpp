#include "win32tray.h"

#include "win32text.h"

#include <algorithm>
#include <cwchar>

namespace horaloom {

namespace {

constexpr UINT CallbackMessage = WM_APP + 1;
constexpr UINT IconId = 1;
const wchar_t* const ClassName = L"HoraloomTray";

template <std::size_t N> void copyText(wchar_t (&target)[N], std::wstring_view text)
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::wmemcpy(target, text.data(), length);
    target[length] = L'\0';
}

} // namespace

Win32Tray::Win32Tray(HICON icon, std::wstring toolTip) : m_icon(icon), m_toolTip(std::move(toolTip))
{
}

Win32Tray::~Win32Tray()
{
    if (m_added) {
        NOTIFYICONDATAW data = iconData(0);
        Shell_NotifyIconW(NIM_DELETE, &data);
    }
    if (m_window) {
        DestroyWindow(m_window);
    }
}

bool Win32Tray::startup()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass);
    // A hidden top-level window rather than a message-only one: only top-level windows hear
    // the shell's broadcast when the task bar is created anew.
    m_window =
        CreateWindowExW(0, ClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    if (!m_window) {
        return false;
    }
    m_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    add();
    return true;
}

bool Win32Tray::add()
{
    NOTIFYICONDATAW data = iconData(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    m_added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return m_added;
}

NOTIFYICONDATAW Win32Tray::iconData(UINT flags) const
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window;
    data.uID = IconId;
    data.uFlags = flags;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = m_icon;
    copyText(data.szTip, m_toolTip);
    return data;
}

bool Win32Tray::query()
{
    return m_notificationShown;
}

void Win32Tray::action()
{
    // An empty balloon text takes the balloon away.
    NOTIFYICONDATAW data = iconData(NIF_INFO);
    Shell_NotifyIconW(NIM_MODIFY, &data);
    m_notificationShown = false;
}

void Win32Tray::notify(const std::string& title, const std::string& message)
{
    if (!m_added) {
        return;
    }
    NOTIFYICONDATAW data = iconData(NIF_INFO);
    copyText(data.szInfoTitle, wideFromUtf8(title));
    copyText(data.szInfo, wideFromUtf8(message));
    data.dwInfoFlags = NIIF_INFO;
    m_notificationShown = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void Win32Tray::setMouseReleaseHandler(std::function<void(int button)> handler)
{
    m_handler = std::move(handler);
}

bool Win32Tray::available()
{
    return m_added || FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

LRESULT CALLBACK Win32Tray::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* tray = reinterpret_cast<Win32Tray*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (tray && tray->m_window == window) {
        return tray->handle(message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Tray::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CallbackMessage) {
        // The mouse message over the icon comes in lParam; the release of any button counts.
        switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONUP:
            if (m_handler) {
                m_handler(1);
            }
            break;
        case WM_RBUTTONUP:
            if (m_handler) {
                m_handler(2);
            }
            break;
        case WM_MBUTTONUP:
            if (m_handler) {
                m_handler(4);
            }
            break;
        case NIN_BALLOONHIDE:
        case NIN_BALLOONTIMEOUT:
        case NIN_BALLOONUSERCLICK:
            m_notificationShown = false;
            break;
        default:
            break;
        }
        return 0;
    }
    if (message == m_taskbarCreated && m_taskbarCreated != 0) {
        // Explorer started (again): its tray knows nothing of us.
        add();
        return 0;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

} // namespace horaloom
