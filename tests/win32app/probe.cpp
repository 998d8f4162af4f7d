// The Windows-side eyes and hands of test_win32app.sh, run under wine beside Horaloom.exe.
//
//   probe form1          Horaloom's main window: caption, client size, where, shown, digits;
//                        and where the task bar of wine's own desktop is, when there is one
//   probe box TITLE      the texts of a visible message box with that title, a line a control
//   probe titles LOG     two windows of another program, which log to LOG every title they
//                        are given and every activation; "r" in the first retitles it, "h"
//                        hangs it (and the second, on the same thread) for eight seconds
//   probe --desktop NAME form1 | box TITLE   the same on another desktop, such as wine's "shell"
//
// Wine 8 raises no WinEvent when the foreground moves or a title changes, so the two windows
// raise them themselves, as Windows would: that is what Horaloom's hook listens for.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Three bytes at most for a UTF-16 unit; nothing for an empty text.
std::string utf8(const std::wstring& text)
{
    std::string out(text.size() * 3, '\0');
    out.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

// WM_GETTEXT is marshalled between processes, so it reads another program's controls too.
std::wstring textOf(HWND window)
{
    wchar_t buffer[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

int form1()
{
    const HWND form = FindWindowW(L"Horaloom.Form1", nullptr);
    if (!form) {
        std::printf("missing\n");
        return 1;
    }
    RECT client{};
    GetClientRect(form, &client);
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    RECT frame{};
    GetWindowRect(form, &frame);
    std::printf("caption %s\nclient %ld %ld\norigin %ld %ld\nframe %ld %ld\nvisible %d\n",
                utf8(textOf(form)).c_str(), client.right, client.bottom, origin.x, origin.y,
                frame.left, frame.top, IsWindowVisible(form) && !IsIconic(form) ? 1 : 0);
    // The digit boxes by their ids: hours 100, 101; minutes 102, 103; seconds 105, 104.
    std::string digits;
    for (int id : {100, 101, 0, 102, 103, 0, 105, 104}) {
        digits += id ? utf8(textOf(GetDlgItem(form, id))) : ":";
    }
    std::printf("digits %s\n", digits.c_str());
    // Wine's own desktop draws the tray icons inside its task bar, from the right-hand end.
    RECT bar{};
    if (GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &bar)) {
        std::printf("bar %ld %ld %ld %ld\n", bar.left, bar.top, bar.right, bar.bottom);
    }
    return 0;
}

int box(const char* title)
{
    const HWND found = FindWindowA("#32770", title);
    if (!found || !IsWindowVisible(found)) {
        std::printf("missing\n");
        return 1;
    }
    for (HWND child = GetWindow(found, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::printf("%s\n", utf8(textOf(child)).c_str());
    }
    return 0;
}

FILE* g_log = nullptr;
HWND g_first = nullptr;
DWORD g_start = 0;

void logLine(HWND window, const char* what, const std::wstring& text)
{
    std::fprintf(g_log, "%lu %s %c %s\n", GetTickCount() - g_start, what,
                 window == g_first ? 'A' : 'B', utf8(text).c_str());
    std::fflush(g_log);
}

LRESULT CALLBACK titlesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        logLine(window, "title", reinterpret_cast<const wchar_t*>(lParam));
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            logLine(window, "active", L"");
            NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
        }
        break;
    case WM_CHAR:
        if (wParam == 'r' && window == g_first) {
            logLine(window, "retitled", L"Round 1");
            SetWindowTextW(window, L"Round 1");
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_WINDOW, CHILDID_SELF);
        } else if (wParam == 'h') {
            Sleep(8000); // a program that does not answer its messages
            logLine(window, "awake", L"");
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int titles(const char* logPath)
{
    g_log = std::fopen(logPath, "wb"); // plain line feeds, for grep; no "ready" if it fails
    g_start = GetTickCount();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = titlesProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"HoraloomProbeTitles";
    RegisterClassW(&windowClass);
    // Non-ASCII, one character outside the BMP, and a title longer than a small buffer: titles
    // must come back whole, unit for unit.
    for (const std::wstring& title : {std::wstring(L"\u00DCbung \u2013 \u65E5\u672C"),
                                      L"Notes \U0001D11E clef " + std::wstring(600, L'x')}) {
        const HWND window = CreateWindowExW(
            0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700,
            g_first ? 260 : 60, 320, 120, nullptr, nullptr, windowClass.hInstance, nullptr);
        g_first = g_first ? g_first : window;
    }
    logLine(g_first, "ready", L"");
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--desktop") == 0) {
        const HDESK desktop = OpenDesktopA(argv[2], 0, FALSE, GENERIC_ALL);
        if (!desktop || !SetThreadDesktop(desktop)) {
            std::printf("missing\n");
            return 1;
        }
        argc -= 2;
        argv += 2;
    }
    const std::string command = argc > 1 ? argv[1] : "";
    return command == "form1"                ? form1()
           : command == "box" && argc > 2    ? box(argv[2])
           : command == "titles" && argc > 2 ? titles(argv[2])
                                             : 2;
}
