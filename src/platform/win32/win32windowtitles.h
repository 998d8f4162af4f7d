// Window titles on Windows, through user32's wide-character functions.
#pragma once

#include "windowtitles.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace horaloom {

// Reads and writes the captions of top-level windows, Horaloom's own and other programs'.
//
// Reading never sends a message to another program: for its windows GetWindowTextW answers from
// the caption the system keeps for the window (what the title bar shows), so a hung program
// cannot stall the timer. Writing to a window of another program is a WM_SETTEXT sent
// with a time limit; a window that does not answer in time keeps its title.
//
// While another program's window carries our decoration, it also carries a note (a window
// property) of how long its own title is: its title is the end of the decorated one. A run
// that was killed leaves the note behind, and the next run's recoverAbandonedTitles() gives
// each such window its own title back. The note lives and dies with the window, costs no file,
// and a closed window or a recycled handle can never take a stale one along.
class Win32WindowTitles : public WindowTitles {
public:
    // How long a write may wait for another program's window to take its new title.
    static constexpr unsigned WriteTimeoutMs = 200;
    // The window property that holds the note: the own title's length in UTF-16 units, plus 1.
    static constexpr const wchar_t* NoteProperty = L"Horaloom.OwnTitleLength";

    Win32WindowTitles() = default;
    Win32WindowTitles(const Win32WindowTitles&) = delete;
    Win32WindowTitles& operator=(const Win32WindowTitles&) = delete;
    ~Win32WindowTitles() override;

    WindowId foregroundWindow() override;
    std::string readTitle(WindowId window) override;
    void writeTitle(WindowId window, std::string_view title) override;
    void restoreTitle(WindowId window, std::string_view ownTitle) override;
    void recoverAbandonedTitles() override;

    // Follows the system's events for a change of foreground window and of a title
    // (SetWinEventHook, out of context). The handler runs from the message loop, never inside
    // one of the calls above, and our own writes do not call it.
    void setChangeHandler(std::function<void()> handler) override;

private:
    static void CALLBACK onEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    static LRESULT CALLBACK eventWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void eventArrived(DWORD event, HWND window);
    bool send(HWND window, const std::wstring& text);

    // Per window, the length of the last title read from it that was not our own write there:
    // the window's own title, which a note records. Only the windows the writer reads (the one
    // in front, the one it leaves) are in here.
    std::map<HWND, std::size_t> m_ownUnits;
    // Our last write, to tell our own title changes from a program's.
    HWND m_writtenWindow = nullptr;
    std::wstring m_writtenText;
    // The note as last set, to set it only when it changes.
    HWND m_notedWindow = nullptr;
    std::size_t m_notedUnits = 0;

    std::function<void()> m_handler;
    HWINEVENTHOOK m_foregroundHook = nullptr;
    HWINEVENTHOOK m_nameHook = nullptr;
    HWND m_events = nullptr; // message-only window: the handler runs from its message
    bool m_eventPosted = false;
};

} // namespace horaloom
