// One connection to the X server: whole-property reads and writes, errors as values, and a
// count of the requests, replies and round trips made.
#pragma once

#include "xcbreply.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace horaloom {

// A window property exactly as the server holds it.
struct RawProperty {
    bool present = false;
    xcb_atom_t type = XCB_NONE;
    std::uint8_t format = 8;
    std::string bytes;

    bool operator==(const RawProperty&) const = default;
};

class XcbConnection {
public:
    // Connects to $DISPLAY. Without a server the object still exists, answers connected()
    // false, and every request comes back empty.
    XcbConnection();
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    bool connected() const;
    xcb_connection_t* get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    int screenNumber() const { return m_screenNumber; }
    std::uint64_t roundTrips() const { return m_roundTrips; }
    std::uint64_t requests() const { return m_requests; }
    std::uint64_t replies() const { return m_replies; }

    // Requests go out through sent() and replies come back through wait(), so that a batch of
    // requests followed by its replies counts as the one round trip it is.
    template <typename Cookie> Cookie sent(Cookie cookie)
    {
        ++m_requests;
        m_lastSent = cookie.sequence;
        return cookie;
    }

    // The reply, or nothing when the server answered with an error (the error is dropped).
    template <typename Reply, typename Cookie>
    XcbReply<Reply> wait(Reply* (*fetch)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                         Cookie cookie)
    {
        if (!connected()) {
            return nullptr;
        }
        noteWait(cookie.sequence);
        ++m_replies;
        xcb_generic_error_t* error = nullptr;
        XcbReply<Reply> reply(fetch(m_connection, cookie, &error));
        XcbReply<xcb_generic_error_t> dropped(error);
        return reply;
    }

    // For a request whose reply is no longer wanted: libxcb drops the reply (or the error)
    // when it comes, without anyone waiting for it. The server sends it all the same.
    void discard(unsigned int sequence)
    {
        if (connected()) {
            ++m_replies;
            xcb_discard_reply(m_connection, sequence);
        }
    }

    // Reads a whole property, however long. Nothing when the window does not exist.
    xcb_get_property_cookie_t requestProperty(xcb_window_t window, xcb_atom_t property);
    std::optional<RawProperty> receiveProperty(xcb_get_property_cookie_t cookie,
                                               xcb_window_t window, xcb_atom_t property);

    // Replaces a property (deletes it when value is not present), in pieces if it is longer
    // than one request may be. No reply is awaited; errors are dropped by discardErrors().
    void writeProperty(xcb_window_t window, xcb_atom_t property, const RawProperty& value);
    void deleteProperty(xcb_window_t window, xcb_atom_t property);
    void flush();
    // Waits until the server has carried out every request sent so far.
    void sync();

    // Errors of requests without replies (a write to a window that has gone) arrive as events,
    // and none matters: they are dropped. Events a caller selected are kept for takeEvents().
    void discardErrors();
    // The events that have arrived, in order, those set aside by discardErrors() first.
    std::vector<XcbReply<xcb_generic_event_t>> takeEvents();
    // Whether events wait in this process already (read along with a reply), so that the
    // connection's descriptor will not show them.
    bool eventsQueued() const { return !m_events.empty(); }

    // All in one round trip; XCB_NONE where the server refused.
    std::vector<xcb_atom_t> internAtoms(const std::vector<std::string>& names);
    std::string atomName(xcb_atom_t atom);

private:
    void noteWait(unsigned int sequence);

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    int m_screenNumber = 0;
    std::size_t m_maxRequestBytes = 0;
    std::uint64_t m_roundTrips = 0;
    std::uint64_t m_requests = 0;
    std::uint64_t m_replies = 0;
    std::vector<XcbReply<xcb_generic_event_t>> m_events;
    unsigned int m_lastSent = 0;
    unsigned int m_answeredUpTo = 0;
};

} // namespace horaloom
