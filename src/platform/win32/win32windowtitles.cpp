#include "win32windowtitles.h"

#include "win32text.h"

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

// A title ends at its first NUL, as it would in the window.
std::wstring titleText(std::string_view text)
{
    return wideFromUtf8(text.substr(0, text.find('\0')));
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

bool ownedByUs(HWND window)
{
    DWORD process = 0;
    return GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

HANDLE noteValue(std::size_t ownUnits)
{
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(ownUnits) + 1);
}

// Whether title is our decoration of a title ownUnits long: the running time (or nothing
// before the first step) and three blanks, perhaps the time of day and four blanks, in front.
bool decorates(const std::wstring& title, std::size_t ownUnits)
{
    if (title.size() < ownUnits + 3) {
        return false;
    }
    const std::wstring_view front(title.data(), title.size() - ownUnits);
    if (front.substr(front.size() - 3) != L"   ") {
        return false;
    }
    if (front.starts_with(L"   ")) {
        return true;
    }
    auto digit = [&](std::size_t i) { return front[i] >= L'0' && front[i] <= L'9'; };
    return front.size() >= 11 && digit(0) && digit(1) && front[2] == L':' && digit(3) && digit(4) &&
           front[5] == L':' && digit(6) && digit(7) && front.substr(8, 3) == L"   ";
}

} // namespace

Win32WindowTitles::~Win32WindowTitles()
{
    for (HWINEVENTHOOK hook : {m_foregroundHook, m_nameHook}) {
        if (hook) {
            UnhookWinEvent(hook);
        }
    }
    if (m_events) {
        DestroyWindow(m_events);
    }
}

WindowId Win32WindowTitles::foregroundWindow()
{
    return toId(GetForegroundWindow());
}

std::string Win32WindowTitles::readTitle(WindowId window)
{
    const HWND handle = toHandle(window);
    const std::wstring title = readWide(handle);
    // The same rule as the title-bar writer's: a title that is not what we wrote last is the
    // window's own.
    if (handle != nullptr && !(handle == m_writtenWindow && title == m_writtenText)) {
        if (m_ownUnits.size() > 16) {
            std::erase_if(m_ownUnits, [](const auto& entry) { return !IsWindow(entry.first); });
        }
        m_ownUnits[handle] = title.size();
    }
    return utf8FromWide(title);
}

// Our own windows answer on our own thread. A send that timed out would be delivered later with
// a pointer into this frame, so within the process there is no time limit. For another
// program's window, SetWindowTextW would wait as long as that program takes, for ever if it
// hangs: the text travels as a copy, and a window that misses the deadline keeps its old title.
bool Win32WindowTitles::send(HWND window, const std::wstring& text)
{
    if (ownedByUs(window)) {
        return SetWindowTextW(window, text.c_str()) != FALSE;
    }
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, WriteTimeoutMs, &result) != 0;
}

void Win32WindowTitles::writeTitle(WindowId window, std::string_view title)
{
    const HWND handle = toHandle(window);
    if (handle == nullptr || !IsWindow(handle)) {
        return;
    }
    const std::wstring text = titleText(title);
    // The note goes on before the decoration: a run killed in between leaves a note on an
    // undecorated title, which the next run recognises as such and leaves alone.
    const auto own = m_ownUnits.find(handle);
    if (own != m_ownUnits.end() && own->second <= text.size() && !ownedByUs(handle) &&
        (handle != m_notedWindow || own->second != m_notedUnits)) {
        if (SetPropW(handle, NoteProperty, noteValue(own->second))) {
            m_notedWindow = handle;
            m_notedUnits = own->second;
        }
    }
    m_writtenWindow = handle;
    m_writtenText = text;
    send(handle, text);
}

void Win32WindowTitles::restoreTitle(WindowId window, std::string_view ownTitle)
{
    const HWND handle = toHandle(window);
    if (handle == nullptr || !IsWindow(handle)) {
        return;
    }
    const std::wstring text = titleText(ownTitle);
    m_ownUnits.erase(handle);
    if (handle == m_writtenWindow) {
        m_writtenWindow = nullptr;
        m_writtenText.clear();
    }
    // A window that did not take its title back keeps the note, for the next run to try.
    if (send(handle, text) && handle == m_notedWindow) {
        RemovePropW(handle, NoteProperty);
        m_notedWindow = nullptr;
    }
}

void Win32WindowTitles::recoverAbandonedTitles()
{
    EnumWindows(
        [](HWND window, LPARAM self) -> BOOL {
            const HANDLE note = GetPropW(window, NoteProperty);
            if (note == nullptr) {
                return TRUE;
            }
            const auto units = reinterpret_cast<std::uintptr_t>(note) - 1;
            const std::wstring title = readWide(window);
            // A title the window's program has set since is the program's to keep.
            if (decorates(title, units)) {
                reinterpret_cast<Win32WindowTitles*>(self)->send(
                    window, title.substr(title.size() - units));
            }
            RemovePropW(window, NoteProperty);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
}

} // namespace horaloom
