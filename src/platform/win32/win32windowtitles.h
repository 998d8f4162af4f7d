// Window titles on Windows, through user32's wide-character functions.
#pragma once

#include "windowtitles.h"

namespace horaloom {

// Reads and writes the captions of top-level windows, Horaloom's own and other programs'.
//
// Reading never sends a message to another program: for its windows GetWindowTextW answers from
// the caption the system keeps for the window (what the title bar shows), so a hung program
// cannot stall the timer. Writing to a window of another program is a WM_SETTEXT sent
// with a time limit; a window that does not answer in time keeps its title.
class Win32WindowTitles : public WindowTitles {
public:
    // How long a write may wait for another program's window to take its new title.
    static constexpr unsigned WriteTimeoutMs = 200;

    WindowId foregroundWindow() override;
    std::string readTitle(WindowId window) override;
    void writeTitle(WindowId window, std::string_view title) override;
};

} // namespace horaloom
