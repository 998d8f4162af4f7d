// One Horaloom per X screen: the copy that owns the selection _HORALOOM_S<screen> serves it, and
// a later start asks it to come forward through the window that holds the claim.
#pragma once

#include "xcbconnection.h"

#include <cstdint>
#include <optional>

namespace horaloom {

// Two copies on one display fight over the same windows' titles, whatever per-user lock they
// each hold, so the display is claimed the way window managers claim WM_S0 and tray hosts
// _NET_SYSTEM_TRAY_S0: a small unmapped window of our own owns the selection. The claim lasts
// as long as this object, on a connection of its own; when the owner's connection ends, killed
// or not, the server destroys the window and the selection is free again.
class XcbDisplayClaim {
public:
    XcbDisplayClaim(); // connects to $DISPLAY

    enum class Outcome {
        Claimed,       // this object holds the claim
        HeldByAnother, // another client does: the caller refuses to start
        NoDisplay,     // no X server to claim, or one that would not let us make the window
    };
    Outcome claim();

    // The window holding the claim: ours once claimed, the other copy's when it holds it (so
    // that a later request can be sent there); 0 otherwise.
    std::uint32_t ownerWindow() const { return m_owner; }

    // Asks the copy holding the claim to show its window in front: one ClientMessage to its
    // claim window, the only request that copy takes. False when none could be sent.
    bool askOwnerToComeForward();

    // What an event loop watches to learn that the server has sent something; -1 without a
    // connection.
    int fileDescriptor() const;
    // Reads everything the server has sent; true when it held at least one request to come
    // forward. Anything else is dropped: any X client can send us events, and all ours do is
    // show a window.
    bool takeComeForwardRequests();
    // False once the server has gone: nothing more will arrive.
    bool connected() const { return m_x.connected(); }

private:
    xcb_window_t createClaimWindow(xcb_atom_t selection);
    std::optional<xcb_timestamp_t> serverTime(xcb_window_t window, xcb_atom_t property);
    xcb_window_t selectionOwner(xcb_atom_t selection);

    XcbConnection m_x;
    xcb_window_t m_owner = XCB_NONE;
    xcb_atom_t m_comeForward = XCB_NONE;
    bool m_claimed = false;
};

} // namespace horaloom
