// Puts the running time in front of the foreground window's title and gives each window its
// own title back when the foreground moves on. Widget-free: it sees windows only through
// WindowTitles.
#pragma once

#include "windowtitles.h"

#include <string>

namespace horaloom {

class TitleBarWriter {
public:
    explicit TitleBarWriter(WindowTitles& titles) : m_titles(titles) {}

    // One call: timeText is HH:MM:SS (empty before the first count step), clockText the time of
    // day on show, displayClock the numeric value of the display-clock setting (1 with the time
    // of day, 0 without, any other number writes nothing).
    void TitleBar(const std::string& timeText, const std::string& clockText, int displayClock);

    // The decorated window's own title back, without decorating anything else (also used when
    // the program is ended by a signal).
    void restoreLastWindow();

    // The title as the writer composes it for a window whose own title is ownTitle.
    static std::string composeTitle(const std::string& timeText, const std::string& clockText,
                                    int displayClock, const std::string& ownTitle);

    // Titles are compared by content, not by length, so the writer keeps no title lengths: a
    // program's retitle to a text of the same length is noticed too.
    WindowId CurrentWindow = 0;
    WindowId LastWindow = 0;
    std::string SavedTitle;

private:
    WindowTitles& m_titles;
    // What the writer last put into LastWindow's title. A title that differs from it has been
    // changed by the window's own program, whatever its length.
    std::string m_lastWritten;
    bool m_decorated = false; // LastWindow carries a title of ours
};

} // namespace horaloom
