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
    // One read serves the change test, so an unchanged call costs one read and, when the time has
    // moved on, one write.
    const std::string current = CurrentWindow ? m_titles.readTitle(CurrentWindow) : std::string();

    if (CurrentWindow != LastWindow) {
        restoreLastWindow();
        SavedTitle = current;
    } else if (current != m_lastWritten) {
        // The window's own program has retitled it since our last write: our decoration is gone.
        SavedTitle = current;
        m_decorated = false;
    }

    m_lastWritten = current;
    if (CurrentWindow != 0 && (displayClock == 0 || displayClock == 1)) {
        m_lastWritten = composeTitle(timeText, clockText, displayClock, SavedTitle);
        // A call within the same second, after a change of foreground or title, finds the
        // title as it should be: writing it again would only wake its program for nothing.
        if (m_lastWritten != current) {
            m_titles.writeTitle(CurrentWindow, m_lastWritten);
        }
        m_decorated = true;
    }
    LastWindow = CurrentWindow;
}

void TitleBarWriter::restoreLastWindow()
{
    // A window never written to is left alone. One that carries our decoration gets its own
    // title back; one its program has retitled since our last write keeps that new title, and
    // the backend drops whatever of ours is left on it. The extra read happens only when the
    // foreground moves on.
    if (LastWindow != 0 && m_decorated) {
        const std::string now = m_titles.readTitle(LastWindow);
        m_titles.restoreTitle(LastWindow, now == m_lastWritten ? SavedTitle : now);
    }
    LastWindow = 0;
    SavedTitle.clear();
    m_lastWritten.clear();
    m_decorated = false;
}

} // namespace horaloom
