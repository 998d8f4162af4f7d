// Win32WindowTitles, continued: following the system's events for the foreground and titles.
#include "win32windowtitles.h"

namespace horaloom {

namespace {

// WinEvent callbacks carry no context: the one backend that asked for them.
Win32WindowTitles* g_watcher = nullptr;

constexpr UINT EventMessage = WM_APP;
const wchar_t* const EventClass = L"HoraloomTitleEvents";

} // namespace

void Win32WindowTitles::setChangeHandler(std::function<void()> handler)
{
    m_handler = std::move(handler);
    if (!m_handler || m_events) {
        return;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = eventWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = EventClass;
    RegisterClassW(&windowClass);
    m_events = CreateWindowExW(0, EventClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                               nullptr);
    if (!m_events) {
        return;
    }
    g_watcher = this;
    // Out of context: the system queues the events to this thread, which takes them in its
    // message loop; no code of ours goes into other processes.
    m_foregroundHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                       onEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    m_nameHook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, onEvent,
                                 0, 0, WINEVENT_OUTOFCONTEXT);
}

void CALLBACK Win32WindowTitles::onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                         LONG child, DWORD, DWORD)
{
    // Only a window itself: not its controls, caret, scroll bars or menus.
    if (g_watcher && window && object == OBJID_WINDOW && child == CHILDID_SELF) {
        g_watcher->eventArrived(event, window);
    }
}

void Win32WindowTitles::eventArrived(DWORD event, HWND window)
{
    if (event == EVENT_OBJECT_NAMECHANGE) {
        // Titles change all over the desktop; only the window in front, and the one we wrote
        // to last, matter. Our own write there comes back as an event too: not a change.
        if (window != GetForegroundWindow() && window != m_writtenWindow) {
            return;
        }
        if (window == m_writtenWindow) {
            const int length = GetWindowTextLengthW(window);
            if (length == static_cast<int>(m_writtenText.size())) {
                std::wstring now(static_cast<std::size_t>(length) + 1, L'\0');
                now.resize(static_cast<std::size_t>(
                    GetWindowTextW(window, now.data(), static_cast<int>(now.size()))));
                if (now == m_writtenText) {
                    return;
                }
            }
        }
    }
    // The handler runs from the message loop: an event can arrive while a write of ours waits
    // for another program's answer, in the middle of the writer's own work. Many events before
    // the loop comes round make one call.
    if (!m_eventPosted && PostMessageW(m_events, EventMessage, 0, 0)) {
        m_eventPosted = true;
    }
}

LRESULT CALLBACK Win32WindowTitles::eventWindowProc(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam)
{
    if (message == EventMessage && g_watcher && window == g_watcher->m_events) {
        g_watcher->m_eventPosted = false;
        if (g_watcher->m_handler) {
            g_watcher->m_handler();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace horaloom
