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

    xcb_window_t find();

private:
    xcb_window_t clientAbove(xcb_window_t window);
    xcb_window_t clientBelow(xcb_window_t window);

    XcbConnection& m_x;
    xcb_atom_t m_netActiveWindow;
    xcb_atom_t m_wmState;
};

} // namespace horaloom
