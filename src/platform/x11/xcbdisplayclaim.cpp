#include "xcbdisplayclaim.h"

#include <string>

namespace horaloom {

XcbDisplayClaim::XcbDisplayClaim() = default;

XcbDisplayClaim::Outcome XcbDisplayClaim::claim()
{
    if (!m_x.connected()) {
        return Outcome::NoDisplay;
    }
    if (m_claimed) {
        return Outcome::Claimed;
    }
    const std::string name = "_HORALOOM_S" + std::to_string(m_x.screenNumber());
    const auto atoms = m_x.internAtoms({name, "_HORALOOM_COME_FORWARD"});
    const xcb_atom_t selection = atoms[0];
    m_comeForward = atoms[1];
    if (selection == XCB_NONE) {
        return Outcome::NoDisplay;
    }
    const xcb_window_t window = createClaimWindow(selection);
    // ICCCM wants a real time for SetSelectionOwner, not CurrentTime.
    const auto time = serverTime(window, selection);
    if (!time || !m_x.connected()) {
        return Outcome::NoDisplay;
    }

    // Looking and taking under one grab, so that of two copies starting together exactly one
    // finds the selection free.
    m_x.sent(xcb_grab_server(m_x.get()));
    xcb_window_t owner = selectionOwner(selection);
    if (owner == XCB_NONE) {
        m_x.sent(xcb_set_selection_owner(m_x.get(), window, selection, *time));
        owner = selectionOwner(selection);
    }
    m_x.sent(xcb_ungrab_server(m_x.get()));
    m_claimed = owner == window;
    if (!m_claimed) {
        m_x.sent(xcb_destroy_window(m_x.get(), window));
    }
    m_x.flush();
    m_owner = owner;
    if (!m_x.connected()) {
        return Outcome::NoDisplay;
    }
    return m_claimed ? Outcome::Claimed : Outcome::HeldByAnother;
}

// Unmapped and input-only: nothing on screen, and no window manager takes it for a client.
xcb_window_t XcbDisplayClaim::createClaimWindow(xcb_atom_t selection)
{
    const xcb_window_t window = xcb_generate_id(m_x.get());
    const std::uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    m_x.sent(xcb_create_window(m_x.get(), XCB_COPY_FROM_PARENT, window, m_x.root(), -1, -1, 1, 1, 0,
                               XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                               XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values));
    m_x.writeProperty(window, XCB_ATOM_WM_NAME,
                      {true, XCB_ATOM_STRING, 8, "Horaloom display claim"});
    // Appending nothing changes nothing but still reports the server's time.
    m_x.sent(xcb_change_property(m_x.get(), XCB_PROP_MODE_APPEND, window, selection,
                                 XCB_ATOM_STRING, 8, 0, nullptr));
    return window;
}

// The time of the PropertyNotify that appending to property on our window brings. It comes
// before the answer to any later request, so it is queued once sync() returns; nothing there
// means the window could not be made.
std::optional<xcb_timestamp_t> XcbDisplayClaim::serverTime(xcb_window_t window, xcb_atom_t property)
{
    m_x.sync();
    while (const XcbReply<xcb_generic_event_t> event{xcb_poll_for_queued_event(m_x.get())}) {
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if (notify->window == window && notify->atom == property) {
                return notify->time;
            }
        }
    }
    return std::nullopt;
}

xcb_window_t XcbDisplayClaim::selectionOwner(xcb_atom_t selection)
{
    const auto reply = m_x.wait(xcb_get_selection_owner_reply,
                                m_x.sent(xcb_get_selection_owner(m_x.get(), selection)));
    return reply ? reply->owner : XCB_NONE;
}

bool XcbDisplayClaim::askOwnerToComeForward()
{
    if (m_claimed || m_owner == XCB_NONE || m_comeForward == XCB_NONE || !m_x.connected()) {
        return false;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = m_owner;
    message.type = m_comeForward;
    // An empty event mask delivers the message to the client that made the window, whatever it
    // selected. A window gone meanwhile is an error nobody waits for.
    m_x.sent(xcb_send_event(m_x.get(), 0, m_owner, XCB_EVENT_MASK_NO_EVENT,
                            reinterpret_cast<const char*>(&message)));
    m_x.sync();
    return m_x.connected();
}

int XcbDisplayClaim::fileDescriptor() const
{
    return m_x.connected() ? xcb_get_file_descriptor(m_x.get()) : -1;
}

bool XcbDisplayClaim::takeComeForwardRequests()
{
    bool asked = false;
    if (!m_x.connected()) {
        return false;
    }
    while (const XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(m_x.get())}) {
        if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) {
            continue;
        }
        const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event.get());
        asked = asked || (m_claimed && message->window == m_owner &&
                          message->type == m_comeForward && message->format == 32);
    }
    return asked;
}

} // namespace horaloom
