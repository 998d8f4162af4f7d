// Win32WindowTitles against real windows that belong to another process, as in real use.
//
// Started without arguments, the program is the owner: it creates two visible windows with
// non-ASCII titles and a third whose thread never answers messages, then starts a copy of itself
// as the driver, passing the handles, and keeps its windows answering until the driver ends.
// The driver runs every check through the backend, reads the results back with plain user32
// calls, and prints "N passed, N failed". The exit status is non-zero when a check failed.

#include "win32windowtitles.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using horaloom::Win32WindowTitles;
using horaloom::WindowId;

namespace {

const wchar_t* const ClassName = L"HoraloomTitlesTest";

// Ü, an en dash and two CJK characters: 10 characters, each one UTF-16 unit.
const wchar_t* const FirstTitleWide = L"Übung – 日本";
const std::string FirstTitle = "Übung – 日本";
// U+1D11E lies outside the BMP: 12 characters in 13 UTF-16 units.
const wchar_t* const SecondTitleWide = L"Notes \U0001D11E clef";
const std::string SecondTitle = "Notes \U0001D11E clef";
const wchar_t* const SleepyTitleWide = L"Sleepy";

int passed = 0;
int failed = 0;

void check(bool ok, const std::string& what)
{
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL: %s\n", what.c_str());
        std::fflush(stdout);
    }
}

// Long titles are shown by their start only; the cut may fall inside a character.
std::string shown(const std::string& text)
{
    return text.size() <= 80 ? text : text.substr(0, 80) + "...";
}

void checkEqual(const std::string& actual, const std::string& expected, const std::string& what)
{
    check(actual == expected,
          what + ": got \"" + shown(actual) + "\", expected \"" + shown(expected) + "\"");
}

void checkEqual(long long actual, long long expected, const std::string& what)
{
    check(actual == expected,
          what + ": got " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

HWND toHandle(WindowId id)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}

WindowId toId(HWND window)
{
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(window));
}

// The title as user32 has it, read without the code under test.
std::wstring rawTitle(HWND window)
{
    std::vector<wchar_t> buffer(1 << 15);
    const int copied = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

long long millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

void registerWindowClass()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass);
}

HWND createWindow(const wchar_t* title, int x)
{
    return CreateWindowExW(0, ClassName, title, WS_OVERLAPPEDWINDOW, x, 60, 360, 200, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Wine hands the foreground over asynchronously under a window manager: ask, then wait until
// the answer has held for a moment.
bool activate(Win32WindowTitles& titles, HWND window)
{
    const auto start = std::chrono::steady_clock::now();
    auto asked = start;
    auto settledSince = start;
    bool settled = false;
    SetForegroundWindow(window);
    while (millisecondsSince(start) < 5000) {
        if (toHandle(titles.foregroundWindow()) == window) {
            if (!settled) {
                settled = true;
                settledSince = std::chrono::steady_clock::now();
            } else if (millisecondsSince(settledSince) >= 150) {
                return true;
            }
        } else {
            settled = false;
            if (millisecondsSince(asked) >= 1000) {
                SetForegroundWindow(window);
                asked = std::chrono::steady_clock::now();
            }
        }
        Sleep(20);
    }
    return false;
}

void checkOwnTitlesReadBack(Win32WindowTitles& titles, HWND first, HWND second)
{
    checkEqual(titles.readTitle(toId(first)), FirstTitle, "first window's title");
    checkEqual(horaloom::utf8Length(titles.readTitle(toId(first))), 10, "first window's length");
    checkEqual(titles.readTitle(toId(second)), SecondTitle, "second window's title");
    checkEqual(horaloom::utf8Length(titles.readTitle(toId(second))), 12, "surrogate pair counts as one character");
}

// One round of what the title-bar writer does: decorate the foreground window, move on,
// hand the title back, decorate the next one.
void checkDecorateAndRestoreAcrossForegroundChanges(Win32WindowTitles& titles, HWND first,
                                                    HWND second)
{
    check(activate(titles, first), "first window comes to the foreground");
    const WindowId tracked = titles.foregroundWindow();
    check(toHandle(tracked) == first, "foreground window is the first window");

    const std::string own = titles.readTitle(tracked);
    titles.writeTitle(tracked, "00:00:01   " + own);
    check(rawTitle(first) == std::wstring(L"00:00:01   ") + FirstTitleWide,
          "decorated title arrives in the window as UTF-16");
    checkEqual(titles.readTitle(tracked), "00:00:01   " + FirstTitle, "decorated title reads back");
    checkEqual(horaloom::utf8Length(titles.readTitle(tracked)), 21, "decorated length");

    check(activate(titles, second), "second window comes to the foreground");
    const WindowId next = titles.foregroundWindow();
    check(toHandle(next) == second, "foreground window is the second window");
    titles.restoreTitle(tracked, own);
    check(rawTitle(first) == FirstTitleWide, "first window gets exactly its own title back");

    const std::string nextOwn = titles.readTitle(next);
    titles.writeTitle(next, "00:00:02   " + nextOwn);
    check(rawTitle(second) == std::wstring(L"00:00:02   ") + SecondTitleWide,
          "surrogate pair survives the write");
    checkEqual(horaloom::utf8Length(titles.readTitle(next)), 23, "decorated length with a surrogate pair");
    // The writer's own step: the length measured after the write equals that of what it wrote.
    checkEqual(horaloom::utf8Length(titles.readTitle(next)), horaloom::utf8Length("00:00:02   " + nextOwn),
               "length read back equals the length written");

    check(activate(titles, first), "first window comes back to the foreground");
    titles.restoreTitle(next, nextOwn);
    check(rawTitle(second) == SecondTitleWide, "second window gets exactly its own title back");
    checkEqual(titles.readTitle(tracked), FirstTitle, "first window untouched meanwhile");
}

void checkLongTitle(Win32WindowTitles& titles, HWND window)
{
    std::string longTitle;
    while (horaloom::utf8Length(longTitle) < 3000) {
        longTitle += "日本 \U0001D11E Übung ";
    }
    const std::string own = titles.readTitle(toId(window));
    titles.writeTitle(toId(window), longTitle);
    checkEqual(titles.readTitle(toId(window)), longTitle, "long title reads back whole");
    checkEqual(horaloom::utf8Length(titles.readTitle(toId(window))), horaloom::utf8Length(longTitle),
               "long title's length");
    titles.writeTitle(toId(window), own);
    check(rawTitle(window) == FirstTitleWide, "long title replaced by the old one");
}

// Horaloom's own main window lives on the calling thread: that path goes without messages
// across processes.
void checkWindowOfCallingThread(Win32WindowTitles& titles)
{
    const HWND own = createWindow(L"Horaloom", 40);
    const WindowId id = toId(own);
    titles.writeTitle(id, "00:00:03   Horaloom – 日本");
    check(rawTitle(own) == L"00:00:03   Horaloom – 日本", "own window takes the title");
    checkEqual(horaloom::utf8Length(titles.readTitle(id)), 24, "own window's length");

    titles.writeTitle(id, std::string_view("ab\0cd", 5));
    checkEqual(titles.readTitle(id), "ab", "title ends at an embedded NUL");

    // A lone surrogate cannot be UTF-8: it reads as one replacement character, so the length
    // still matches what a write of the text read gives back.
    SetWindowTextW(own, L"a\xD800z");
    checkEqual(titles.readTitle(id), "a\uFFFDz", "lone surrogate reads as U+FFFD");
    checkEqual(horaloom::utf8Length(titles.readTitle(id)), 3, "lone surrogate counts once");
    titles.writeTitle(id, titles.readTitle(id));
    checkEqual(horaloom::utf8Length(titles.readTitle(id)), 3, "lone surrogate's text writes back with its length");
    DestroyWindow(own);
}

void checkHungWindowCannotBlock(Win32WindowTitles& titles, HWND sleepy)
{
    auto start = std::chrono::steady_clock::now();
    titles.writeTitle(toId(sleepy), "00:00:04   Sleepy");
    const long long writeMs = millisecondsSince(start);
    check(writeMs < 1500, "write to a hung window returns in " + std::to_string(writeMs) + " ms");

    start = std::chrono::steady_clock::now();
    const std::string title = titles.readTitle(toId(sleepy));
    const int length = horaloom::utf8Length(title);
    const long long readMs = millisecondsSince(start);
    check(readMs < 1000, "read of a hung window returns in " + std::to_string(readMs) + " ms");
    checkEqual(title, "Sleepy", "hung window keeps its title");
    checkEqual(length, 6, "hung window's length");
}

void checkVanishedWindow(Win32WindowTitles& titles, HWND first, HWND second)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(second, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
    check(!IsWindow(second), "second window is gone");

    const WindowId gone = toId(second);
    checkEqual(horaloom::utf8Length(titles.readTitle(gone)), 0, "vanished window's length");
    checkEqual(titles.readTitle(gone), "", "vanished window's title");
    titles.writeTitle(gone, "00:00:05   gone");
    titles.restoreTitle(gone, SecondTitle);

    checkEqual(horaloom::utf8Length(titles.readTitle(0)), 0, "no window's length");
    checkEqual(titles.readTitle(0), "", "no window's title");
    titles.writeTitle(0, "00:00:06   nothing");
    check(rawTitle(first) == FirstTitleWide, "writes to no window change no other window");
}

int runDriver(HWND first, HWND second, HWND sleepy)
{
    registerWindowClass();
    Win32WindowTitles titles;
    checkOwnTitlesReadBack(titles, first, second);
    checkDecorateAndRestoreAcrossForegroundChanges(titles, first, second);
    checkLongTitle(titles, first);
    checkWindowOfCallingThread(titles);
    checkHungWindowCannotBlock(titles, sleepy);
    checkVanishedWindow(titles, first, second);
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

struct SleepyThread {
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND window = nullptr;
};

// Creates a window, then blocks without ever looking at its messages, as a hung program does.
DWORD WINAPI sleepyMain(void* parameter)
{
    auto* sleepy = static_cast<SleepyThread*>(parameter);
    sleepy->window = createWindow(SleepyTitleWide, 800);
    SetEvent(sleepy->created);
    WaitForSingleObject(sleepy->release, INFINITE);
    DestroyWindow(sleepy->window);
    return 0;
}

std::wstring handleArgument(HWND window)
{
    return std::to_wstring(static_cast<unsigned long long>(toId(window)));
}

int runOwner()
{
    registerWindowClass();
    const HWND first = createWindow(FirstTitleWide, 40);
    const HWND second = createWindow(SecondTitleWide, 440);
    if (first == nullptr || second == nullptr) {
        std::printf("cannot create the test windows (error %lu)\n0 passed, 1 failed\n",
                    GetLastError());
        return 1;
    }
    ShowWindow(first, SW_SHOWNORMAL);
    ShowWindow(second, SW_SHOWNORMAL);

    SleepyThread sleepy;
    const HANDLE sleepyThread = CreateThread(nullptr, 0, sleepyMain, &sleepy, 0, nullptr);
    WaitForSingleObject(sleepy.created, 5000);

    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = std::wstring(L"\"") + self + L"\" --driver " +
                               handleArgument(first) + L" " + handleArgument(second) + L" " +
                               handleArgument(sleepy.window);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION driver{};
    std::fflush(stdout);
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &driver)) {
        std::printf("cannot start the driver (error %lu)\n0 passed, 1 failed\n", GetLastError());
        return 1;
    }

    // Keep answering the driver's messages until it is done.
    const auto start = std::chrono::steady_clock::now();
    DWORD status = 1;
    for (;;) {
        const DWORD wait = MsgWaitForMultipleObjects(1, &driver.hProcess, FALSE, 100, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) {
            GetExitCodeProcess(driver.hProcess, &status);
            break;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (millisecondsSince(start) > 30000) {
            TerminateProcess(driver.hProcess, 1);
            std::printf("FAIL: the driver did not finish within 30 s\n");
            status = 1;
            break;
        }
    }
    CloseHandle(driver.hThread);
    CloseHandle(driver.hProcess);

    SetEvent(sleepy.release);
    WaitForSingleObject(sleepyThread, 5000);
    DestroyWindow(first);
    if (IsWindow(second)) {
        DestroyWindow(second);
    }
    std::fflush(stdout);
    return status == 0 ? 0 : 1;
}

HWND parseHandle(const char* text)
{
    return toHandle(std::strtoull(text, nullptr, 10));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--driver") == 0) {
        return runDriver(parseHandle(argv[2]), parseHandle(argv[3]), parseHandle(argv[4]));
    }
    return runOwner();
}
