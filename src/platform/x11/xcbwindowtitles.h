// Other programs' window titles on X11, through plain libxcb.
#pragma once

#include "windowtitles.h"
#include "xcbconnection.h"

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace horaloom {

// Reads _NET_WM_NAME when it is UTF8_STRING, else WM_NAME (STRING is Latin-1, COMPOUND_TEXT is
// decoded). Writes both _NET_WM_NAME and WM_NAME as UTF8_STRING, as Qt and GTK do: every
// current window manager shows UTF8_STRING in WM_NAME, and unlike STRING or COMPOUND_TEXT it
// holds any title, so the title reads back with the length it was written with.
//
// The title read last from a window is kept raw (types and bytes of both properties), and
// restoreTitle puts exactly that back, down to a _NET_WM_NAME the window never had. While a
// window is decorated it carries that raw title in _HORALOOM_OWN_TITLE too, with the title our
// decoration ends with, so that a run that was killed can be cleaned up after by the next one
// (recoverAbandonedTitles): each property that still holds our decoration gets the window's own
// value back, and one its program has set since keeps the program's.
//
// A decorated window may be retitled by its program through one property only: a program that
// titles through WM_NAME leaves our decoration in _NET_WM_NAME, which would hide its new title.
// Each property is compared with what Horaloom wrote to it, and one that differs is the
// program's: the title read is the program's new one, and the snapshot becomes the program's
// current state. A new WM_NAME would stay hidden behind our _NET_WM_NAME, so that read puts
// the program's _NET_WM_NAME back at once (see netWmNameBeside) and drops the note.
//
// The title-bar writer asks for the foreground window and then reads its title, every second,
// and the foreground is nearly always the window it was last time. So foregroundWindow() asks
// for that window's title in the same round trip, and the read that follows takes those
// replies instead of asking again: an unchanged call costs one round trip. When the foreground
// has moved on, the writer reads the new window and then the one that lost the foreground, to
// hand it its title back: that second read takes the early replies, so a call after a switch
// reads each window once. A write, a restore or another foreground query throws the early
// replies away, as they might no longer show the title as the server holds it.
class XcbWindowTitles final : public WindowTitles {
public:
    XcbWindowTitles(); // connects to $DISPLAY; without one, every window is "no window"

    bool connected() const { return m_x.connected(); }
    std::uint64_t roundTrips() const { return m_x.roundTrips(); }
    std::uint64_t requests() const { return m_x.requests(); }
    std::uint64_t replies() const { return m_x.replies(); }

    WindowId foregroundWindow() override;
    std::string readTitle(WindowId window) override;
    void writeTitle(WindowId window, std::string_view title) override;
    void restoreTitle(WindowId window, std::string_view ownTitle) override;
    void recoverAbandonedTitles() override;

    // Writes go out without waiting. This waits until the server has carried them out, for
    // whoever reads the titles over another connection next.
    void sync() { m_x.sync(); }

    // With a change handler, changes are watched: _NET_ACTIVE_WINDOW on the root window, and
    // the title properties and the focus of the window written to last (the focus for a
    // desktop without a window manager); our own writes are not watched. What the events show
    // unchanged is not asked again: while the window manager names the same active window and
    // its title is still what we wrote, a call of the title-bar writer costs no round trip.
    void setChangeHandler(std::function<void()> handler) override;
    int eventDescriptor() override;
    bool eventsQueued() override;
    void readEvents() override;

private:
    struct Atoms {
        xcb_atom_t utf8String = XCB_NONE;
        xcb_atom_t compoundText = XCB_NONE;
        xcb_atom_t netWmName = XCB_NONE;
        xcb_atom_t netActiveWindow = XCB_NONE;
        xcb_atom_t netClientList = XCB_NONE;
        xcb_atom_t wmState = XCB_NONE;
        xcb_atom_t ownTitle = XCB_NONE;
    };

    // A window's own title: both properties raw, and the text they decode to.
    struct Snapshot {
        RawProperty netWmName;
        RawProperty wmName;
        std::string text;
        bool noted = false;                 // _HORALOOM_OWN_TITLE holds it on the window
        bool noteBehind = false;            // the note holds an earlier title; renewed at a write
        std::optional<std::string> written; // the decoration last written over it
    };

    // Both title properties asked for, the replies not collected yet.
    struct TitleRequest {
        xcb_window_t window = XCB_NONE;
        xcb_get_property_cookie_t netWmName{};
        xcb_get_property_cookie_t wmName{};
    };

    // While it lives, the window does not report changes to us: they would be our own.
    class Quiet {
    public:
        Quiet(XcbWindowTitles& titles, xcb_window_t window);
        ~Quiet();
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        XcbWindowTitles& m_titles;
        bool m_watched;
    };

    void internAtoms();
    void watch(xcb_window_t window);
    void selectEvents(xcb_window_t window, std::uint32_t mask);
    // Takes in what has arrived without waiting; true when it changes what is known.
    bool absorbEvents();
    TitleRequest requestTitle(xcb_window_t window);
    std::optional<Snapshot> receiveTitle(const TitleRequest& request);
    std::optional<Snapshot> fetchTitle(xcb_window_t window);
    std::optional<Snapshot> takeTitle(xcb_window_t window);
    std::optional<std::string> currentTitle(xcb_window_t window);
    RawProperty netWmNameBeside(const RawProperty& before, const RawProperty& wmName);
    void retitledPartly(Snapshot& own, RawProperty netWmName, RawProperty wmName);
    void dropNote(xcb_window_t window, Snapshot& own);
    void dropPrefetch();
    std::string decode(const RawProperty& netWmName, const RawProperty& wmName) const;
    void putUtf8Title(xcb_window_t window, std::string_view title);
    void putRawTitle(xcb_window_t window, const Snapshot& snapshot);
    void noteOwnTitle(xcb_window_t window, const Snapshot& snapshot);
    std::string typeName(xcb_atom_t type);
    std::vector<xcb_window_t> candidatesForRecovery();
    void recover(const std::vector<std::pair<xcb_window_t, RawProperty>>& notes);
    void recoverWindow(xcb_window_t window, const Snapshot& noted, const std::string& title,
                       const Snapshot& current);
    bool holdsDecoration(const RawProperty& property, const std::string& title) const;

    XcbConnection m_x;
    Atoms m_atoms;
    std::unordered_map<xcb_window_t, Snapshot> m_snapshots;
    std::unordered_map<xcb_atom_t, std::string> m_typeNames;
    xcb_window_t m_lastForeground = XCB_NONE;
    std::function<void()> m_changed;
    xcb_window_t m_watched = XCB_NONE; // the window written to last
    bool m_watchingRoot = false;
    bool m_activeKnown = false;             // m_lastForeground is _NET_ACTIVE_WINDOW as it stands
    bool m_watchedClean = false;            // m_watched's title is what we wrote last
    bool m_changeSeen = false;              // a change the handler has not been told of
    std::optional<TitleRequest> m_prefetch; // for the read right after foregroundWindow()
};

} // namespace horaloom
