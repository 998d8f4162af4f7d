#include "win32windowtitles.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace horaloom {

namespace {

// Longest title read, in UTF-16 units; anything beyond is cut off. Far above what a title bar
// shows, and a bound on the buffer when a title keeps growing while it is read.
constexpr int MaxTitleUnits = 1 << 16;

HWND toHandle(WindowId window)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

WindowId toId(HWND window)
{
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(window));
}

// Lone surrogates come out as U+FFFD, one code point for one unit, so the length counted from
// the UTF-8 text is the length a write of that text gives back.
std::string toUtf8(const std::wstring& text)
{
    if (text.empty()) {
        return {};
    }
    const int units = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return {};
    }
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), units, result.data(), bytes, nullptr, nullptr);
    return result;
}

// A title ends at its first NUL, as it would in the window; malformed UTF-8 becomes U+FFFD.
std::wstring toWide(std::string_view text)
{
    text = text.substr(0, std::min(text.find('\0'), static_cast<std::size_t>(INT_MAX)));
    if (text.empty()) {
        return {};
    }
    const int bytes = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0);
    if (units <= 0) {
        return {};
    }
    std::wstring result(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, result.data(), units);
    return result;
}

// For another program's window GetWindowTextW copies the caption the system holds and sends
// nothing, so a hung program cannot block us; for our own windows it asks the window procedure,
// which on our own thread is a plain call.
std::wstring readWide(HWND window)
{
    if (window == nullptr || !IsWindow(window)) {
        return {};
    }
    // The length may be overstated, never understated unless the title changes meanwhile: a
    // buffer that comes back full is grown and the title read again.
    int capacity = std::clamp(GetWindowTextLengthW(window), 0, MaxTitleUnits) + 2;
    for (;;) {
        std::wstring buffer(static_cast<std::size_t>(capacity), L'\0');
        const int copied = GetWindowTextW(window, buffer.data(), capacity);
        if (copied <= 0) {
            return {};
        }
        if (copied < capacity - 1 || capacity > MaxTitleUnits) {
            buffer.resize(static_cast<std::size_t>(std::min(copied, capacity - 1)));
            return buffer;
        }
        capacity *= 2;
    }
}

} // namespace

WindowId Win32WindowTitles::foregroundWindow()
{
    return toId(GetForegroundWindow());
}

std::string Win32WindowTitles::readTitle(WindowId window)
{
    return toUtf8(readWide(toHandle(window)));
}

void Win32WindowTitles::writeTitle(WindowId window, std::string_view title)
{
    const HWND handle = toHandle(window);
    if (handle == nullptr || !IsWindow(handle)) {
        return;
    }
    DWORD process = 0;
    if (GetWindowThreadProcessId(handle, &process) == 0) {
        return; // gone since IsWindow
    }
    const std::wstring text = toWide(title);
    if (process == GetCurrentProcessId()) {
        // Our own windows answer on our own thread. A send that timed out would be delivered
        // later with a pointer into this frame, so within the process there is no time limit.
        SetWindowTextW(handle, text.c_str());
        return;
    }
    // SetWindowTextW would wait as long as the other program takes, for ever if it hangs. The
    // text travels as a copy, and a window that misses the deadline keeps its old title until
    // the next write.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_NORMAL | SMTO_ABORTIFHUNG, WriteTimeoutMs, &result);
}

} // namespace horaloom
