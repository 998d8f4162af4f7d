#include "win32singleinstance.h"

#include <windows.h>

namespace horaloom {

namespace {

const wchar_t ListenerClass[] = L"Horaloom.ComeForward";

UINT comeForwardMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Horaloom.ComeForward");
    return message;
}

LRESULT CALLBACK listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == comeForwardMessage()) {
        auto* handler =
            reinterpret_cast<std::function<void()>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (handler && *handler) {
            (*handler)();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Win32SingleInstance::~Win32SingleInstance()
{
    if (m_listener) {
        DestroyWindow(static_cast<HWND>(m_listener));
    }
    if (m_mutex) {
        CloseHandle(m_mutex);
    }
}

bool Win32SingleInstance::anotherIsRunning()
{
    // "Local\": one per logon session, so another user on the same machine runs a copy too.
    m_mutex = CreateMutexW(nullptr, FALSE, L"Local\\Horaloom.SingleInstance");
    const DWORD error = GetLastError();
    if (!m_mutex) {
        // Access denied: the name is held, by a copy running with other rights.
        return error == ERROR_ACCESS_DENIED;
    }
    return error == ERROR_ALREADY_EXISTS;
}

void Win32SingleInstance::askOtherToComeForward()
{
    const HWND listener = FindWindowExW(HWND_MESSAGE, nullptr, ListenerClass, nullptr);
    if (!listener) {
        return;
    }
    // The start the user just made may take the foreground; it lends that to the running copy.
    DWORD owner = 0;
    GetWindowThreadProcessId(listener, &owner);
    AllowSetForegroundWindow(owner);
    PostMessageW(listener, comeForwardMessage(), 0, 0);
}

void Win32SingleInstance::setComeForwardHandler(std::function<void()> handler)
{
    m_comeForward = std::move(handler);
    if (m_listener) {
        return;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = listen;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = ListenerClass;
    RegisterClassW(&windowClass);
    const HWND listener = CreateWindowExW(0, ListenerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, windowClass.hInstance, nullptr);
    if (listener) {
        SetWindowLongPtrW(listener, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_comeForward));
        m_listener = listener;
    }
}

} // namespace horaloom
