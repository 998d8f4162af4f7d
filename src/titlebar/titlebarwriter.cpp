#include "titlebarwriter.h"

namespace horaloom {

std::string TitleBarWriter::composeTitle(const std::string& timeText, const std::string& clockText,
                                         int displayClock, const std::string& ownTitle)
{
    if (displayClock == 1) {
        return timeText + "   " + clockText + "    " + ownTitle;
    }
    return timeText + "   " + ownTitle;
}

void TitleBarWriter::TitleBar(const std::string& timeText, const std::string& clockText,
                              int displayClock)
{
    CurrentWindow = m_titles.foregroundWindow();
    // One read serves both the length and the change test, so an unchanged call costs one read
    // and one write.
    const std::string current = CurrentWindow ? m_titles.readTitle(CurrentWindow) : std::string();
    CurrentTitleLength = utf8Length(current) + 1;

    if (CurrentWindow != LastWindow) {
        if (LastWindow != 0) {
            m_titles.restoreTitle(LastWindow, SavedTitle);
        }
        SavedTitle = current;
        SavedTitleLength = CurrentTitleLength;
    } else if (current != m_lastWritten) {
        // The window's own program has retitled it since our last write.
        SavedTitle = current;
        SavedTitleLength = CurrentTitleLength;
    }

    m_lastWritten = current;
    if (CurrentWindow != 0 && (displayClock == 0 || displayClock == 1)) {
        m_lastWritten = composeTitle(timeText, clockText, displayClock, SavedTitle);
        m_titles.writeTitle(CurrentWindow, m_lastWritten);
    }
    LastWindow = CurrentWindow;
    SavedTitleLength = utf8Length(m_lastWritten) + 1;
}

void TitleBarWriter::restoreLastWindow()
{
    if (LastWindow != 0) {
        m_titles.restoreTitle(LastWindow, SavedTitle);
        LastWindow = 0;
        SavedTitle.clear();
        m_lastWritten.clear();
    }
}

} // namespace horaloom
