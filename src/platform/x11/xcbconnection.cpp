#include "xcbconnection.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace horaloom {

namespace {

// In 4-byte units; 4 times it still fits 32 bits, which some servers compute in.
constexpr std::uint32_t wholeProperty = 0x3FFFFFFF;

// ChangeProperty's own fields, with the BIG-REQUESTS length word and some room to spare.
constexpr std::size_t changePropertyOverhead = 64;

} // namespace

XcbConnection::XcbConnection()
{
    m_connection = xcb_connect(nullptr, &m_screenNumber);
    if (!connected()) {
        return;
    }
    xcb_prefetch_maximum_request_length(m_connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; screens.rem > 0; ++i, xcb_screen_next(&screens)) {
        if (i == m_screenNumber) {
            m_root = screens.data->root;
        }
    }
    // Waits for BIG-REQUESTS to answer, if it is there: one round trip.
    ++m_roundTrips;
    m_maxRequestBytes = std::size_t{xcb_get_maximum_request_length(m_connection)} * 4;
}

XcbConnection::~XcbConnection()
{
    xcb_disconnect(m_connection); // also for a connection that failed, as xcb_connect says
}

bool XcbConnection::connected() const
{
    return m_connection != nullptr && xcb_connection_has_error(m_connection) == 0;
}

void XcbConnection::noteWait(unsigned int sequence)
{
    // Every request sent so far comes back with the first reply awaited after it.
    if (static_cast<int>(sequence - m_answeredUpTo) > 0) {
        ++m_roundTrips;
        m_answeredUpTo = static_cast<int>(m_lastSent - sequence) > 0 ? m_lastSent : sequence;
    }
}

xcb_get_property_cookie_t XcbConnection::requestProperty(xcb_window_t window, xcb_atom_t property)
{
    return sent(xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                                 wholeProperty));
}

std::optional<RawProperty> XcbConnection::receiveProperty(xcb_get_property_cookie_t cookie,
                                                          xcb_window_t window, xcb_atom_t property)
{
    RawProperty value;
    for (;;) {
        const auto reply = wait(xcb_get_property_reply, cookie);
        if (!reply) {
            return std::nullopt;
        }
        value.present = reply->type != XCB_NONE;
        value.type = reply->type;
        value.format = reply->format;
        value.bytes.append(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
        if (reply->bytes_after == 0 || value.bytes.size() % 4 != 0) {
            return value;
        }
        // Longer than any server sends at once: ask for the rest where this part ended.
        const auto offset = static_cast<std::uint32_t>(value.bytes.size() / 4);
        cookie = sent(xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY,
                                       offset, wholeProperty));
    }
}

void XcbConnection::writeProperty(xcb_window_t window, xcb_atom_t property,
                                  const RawProperty& value)
{
    if (!connected()) {
        return;
    }
    if (!value.present) {
        deleteProperty(window, property);
        return;
    }
    const std::size_t unit = std::max<std::size_t>(value.format / 8, 1);
    const std::size_t total = value.bytes.size() / unit;
    const std::size_t room = std::max(m_maxRequestBytes, 4096 + changePropertyOverhead);
    const std::size_t perRequest = (room - changePropertyOverhead) / 4 * 4 / unit;
    std::size_t done = 0;
    std::uint8_t mode = XCB_PROP_MODE_REPLACE;
    do {
        const std::size_t count = std::min(perRequest, total - done);
        sent(xcb_change_property(m_connection, mode, window, property, value.type, value.format,
                                 static_cast<std::uint32_t>(count),
                                 value.bytes.data() + done * unit));
        mode = XCB_PROP_MODE_APPEND;
        done += count;
    } while (done < total);
}

void XcbConnection::deleteProperty(xcb_window_t window, xcb_atom_t property)
{
    if (connected()) {
        sent(xcb_delete_property(m_connection, window, property));
    }
}

void XcbConnection::flush()
{
    if (connected()) {
        xcb_flush(m_connection);
    }
}

void XcbConnection::sync()
{
    if (connected()) {
        wait(xcb_get_input_focus_reply, sent(xcb_get_input_focus(m_connection)));
    }
}

void XcbConnection::discardErrors()
{
    if (!connected()) {
        return;
    }
    while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(m_connection)}) {
        if (event->response_type != 0) {
            m_events.push_back(std::move(event));
        }
    }
}

std::vector<XcbReply<xcb_generic_event_t>> XcbConnection::takeEvents()
{
    discardErrors();
    return std::exchange(m_events, {});
}

std::vector<xcb_atom_t> XcbConnection::internAtoms(const std::vector<std::string>& names)
{
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const std::string& name : names) {
        cookies.push_back(sent(xcb_intern_atom(
            m_connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str())));
    }
    std::vector<xcb_atom_t> atoms;
    for (const auto& cookie : cookies) {
        const auto reply = wait(xcb_intern_atom_reply, cookie);
        atoms.push_back(reply ? reply->atom : XCB_NONE);
    }
    return atoms;
}

std::string XcbConnection::atomName(xcb_atom_t atom)
{
    const auto reply = wait(xcb_get_atom_name_reply, sent(xcb_get_atom_name(m_connection, atom)));
    if (!reply) {
        return {};
    }
    return std::string(xcb_get_atom_name_name(reply.get()),
                       static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get())));
}

} // namespace horaloom
