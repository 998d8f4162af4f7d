// The four window-title operations the title-bar writer needs, over any desktop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace horaloom {

// A top-level window as the desktop names it; 0 means "no window".
using WindowId = std::uint64_t;

// Titles travel as UTF-8; lengths count characters (Unicode code points), so a title written
// reads back with the same length. A window may vanish between any two calls: every operation
// then answers as for "no window" (empty title, length 0, write ignored) and never throws.
class WindowTitles {
public:
    virtual ~WindowTitles() = default;

    virtual WindowId foregroundWindow() = 0;
    virtual std::string readTitle(WindowId window) = 0;
    virtual void writeTitle(WindowId window, std::string_view title) = 0;

    // Hands a window its own title back after decoration. Backends that can restore the exact
    // original representation (encoding, properties) override this; the text is what was read.
    virtual void restoreTitle(WindowId window, std::string_view ownTitle)
    {
        writeTitle(window, ownTitle);
    }

    // At start-up: give back their own titles to windows a killed earlier run left decorated.
    virtual void recoverAbandonedTitles() {}

    // The foreground window, or the title of the window written to last, may have changed
    // since the last call: handler is called from the program's event loop, so that the
    // writer can follow at once. A backend that cannot tell never calls it.
    virtual void setChangeHandler(std::function<void()> handler) { (void)handler; }
    // For a backend with a connection of its own: the descriptor that becomes readable when
    // something arrives (-1: none), whether something waits already, and what to do with it.
    virtual int eventDescriptor() { return -1; }
    virtual bool eventsQueued() { return false; }
    virtual void readEvents() {}
};

// Counts the code points of UTF-8 text (continuation bytes are not counted).
inline int utf8Length(std::string_view text)
{
    int count = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

} // namespace horaloom
