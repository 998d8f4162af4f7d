// The other programs of the soak: their windows and titles, on an X connection of their own.
#pragma once

#include "soaktext.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>
#include <xcb/xcb.h>

namespace horaloom::soak {

// The title properties of one window as the server holds them; nothing where one is absent.
struct TitleProperties {
    std::optional<Property> netWmName;
    std::optional<Property> wmName;
    std::optional<Property> ownTitleNote; // _HORALOOM_OWN_TITLE
};

class SoakDesktop {
public:
    SoakDesktop();
    ~SoakDesktop();
    SoakDesktop(const SoakDesktop&) = delete;
    SoakDesktop& operator=(const SoakDesktop&) = delete;

    bool connected() const;
    bool windowManagerRunning() const { return m_windowManager; }
    TypeAtoms typeAtoms() const { return {m_utf8String, m_compoundText}; }
    xcb_atom_t ownTitleAtom() const { return m_ownTitle; }

    // A mapped top-level window carrying title; with a window manager it returns once the
    // window is managed, without one it sets WM_STATE itself as a window manager would.
    xcb_window_t createWindow(const OwnTitle& title);
    void destroy(xcb_window_t window);
    // What the window's program does to retitle it: only the properties its kind uses.
    void setTitle(xcb_window_t window, const OwnTitle& title);
    // Puts exactly these title properties on the window, deleting what is not in title, and
    // drops the note; used to carry on after a failure has been reported.
    void resetTitle(xcb_window_t window, const OwnTitle& title);

    // All windows' title properties in one round trip; nothing for a window that is gone.
    std::vector<std::optional<TitleProperties>>
    readTitles(const std::vector<xcb_window_t>& windows);

    // Asks for window to become the foreground window: a pager's _NET_ACTIVE_WINDOW request to
    // the window manager, or the input focus when there is none.
    void requestActivation(xcb_window_t window);

    // Waits, woken by this connection's events and looking at least every few milliseconds,
    // until done() holds; false when patience ran out first.
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds patience);

    void sync(); // every request sent so far has been carried out
    std::string atomName(xcb_atom_t atom);

private:
    xcb_atom_t intern(const std::string& name);
    void put(xcb_window_t window, xcb_atom_t name, const std::optional<Property>& value);
    bool drainEvents();

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    bool m_windowManager = false;
    xcb_atom_t m_utf8String = XCB_NONE;
    xcb_atom_t m_compoundText = XCB_NONE;
    xcb_atom_t m_netWmName = XCB_NONE;
    xcb_atom_t m_netActiveWindow = XCB_NONE;
    xcb_atom_t m_wmState = XCB_NONE;
    xcb_atom_t m_ownTitle = XCB_NONE;
    std::unordered_map<xcb_atom_t, std::string> m_atomNames;
};

} // namespace horaloom::soak
