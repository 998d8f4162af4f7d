// Which top-level client window the user works in, with or without a window manager.
#pragma once

#include "xcbconnection.h"

namespace horaloom {

// With an EWMH window manager: _NET_ACTIVE_WINDOW on the root, the client window itself.
// Without one, the window carrying WM_STATE above the input focus, or below the pointer
// when the focus follows the pointer. XCB_NONE when there is no such window.
class XcbForeground {
public:
    XcbForeground(XcbConnection& x, xcb_atom_t netActiveWindow, xcb_atom_t wmState)
        : m_x(x), m_netActiveWindow(netActiveWindow), m_wmState(wmState)
    {
    }

    // The first requests of the search, sent without waiting for anything, so that a caller can
    // put requests of its own into the same round trip before calling answer().
    struct Query {
        xcb_get_property_cookie_t active;
        xcb_get_input_focus_cookie_t focus;
    };
    Query ask();
    xcb_window_t answer(const Query& query);
    // Whether the last answer was the window manager's _NET_ACTIVE_WINDOW.
    bool fromActiveWindow() const { return m_fromActiveWindow; }

    xcb_window_t find() { return answer(ask()); }

private:
    xcb_window_t clientAbove(xcb_window_t window);
    xcb_window_t clientBelow(xcb_window_t window);

    XcbConnection& m_x;
    xcb_atom_t m_netActiveWindow;
    xcb_atom_t m_wmState;
    bool m_fromActiveWindow = false;
};

} // namespace horaloom
