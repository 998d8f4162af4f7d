#include "xcbdisplayclaim.h"

#include <string>

namespace horaloom {

XcbDisplayClaim::XcbDisplayClaim() = default;

XcbDisplayClaim::Outcome XcbDisplayClaim::claim()
{
    if (!m_x.connected()) {
        return Outcome::NoDisplay;
    }
    if (m_owner != XCB_NONE) {
        return Outcome::Claimed;
    }
    const std::string name = "_HORALOOM_S" + std::to_string(m_x.screenNumber());
    const xcb_atom_t selection = m_x.internAtoms({name}).front();
    if (selection == XCB_NONE) {
        return Outcome::NoDisplay;
    }
    const xcb_window_t window = createClaimWindow(selection);
    // ICCCM wants a real time for SetSelectionOwner, not CurrentTime.
    const xcb_timestamp_t time = serverTime(window, selection);
    if (!m_x.connected()) {
        return Outcome::NoDisplay;
    }

    // Looking and taking under one grab, so that of two copies starting together exactly one
    // finds the selection free.
    xcb_grab_server(m_x.get());
    xcb_window_t owner = selectionOwner(selection);
    if (owner == XCB_NONE) {
        xcb_set_selection_owner(m_x.get(), window, selection, time);
        owner = selectionOwner(selection);
    }
    xcb_ungrab_server(m_x.get());
    if (owner != window) {
        xcb_destroy_window(m_x.get(), window);
    }
    m_x.flush();
    m_owner = owner;
    if (!m_x.connected()) {
        return Outcome::NoDisplay;
    }
    return owner == window ? Outcome::Claimed : Outcome::HeldByAnother;
}

// Unmapped and input-only: nothing on screen, and no window manager takes it for a client.
xcb_window_t XcbDisplayClaim::createClaimWindow(xcb_atom_t selection)
{
    const xcb_window_t window = xcb_generate_id(m_x.get());
    const std::uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(m_x.get(), XCB_COPY_FROM_PARENT, window, m_x.root(), -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    const std::string_view title = "Horaloom display claim";
    xcb_change_property(m_x.get(), XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
                        8, static_cast<std::uint32_t>(title.size()), title.data());
    // Appending nothing changes nothing but still reports the server's time.
    xcb_change_property(m_x.get(), XCB_PROP_MODE_APPEND, window, selection, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    m_x.flush();
    return window;
}

// The time of the PropertyNotify that appending to property on our window brings.
xcb_timestamp_t XcbDisplayClaim::serverTime(xcb_window_t window, xcb_atom_t property)
{
    while (const XcbReply<xcb_generic_event_t> event{xcb_wait_for_event(m_x.get())}) {
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if (notify->window == window && notify->atom == property) {
                return notify->time;
            }
        }
    }
    return XCB_CURRENT_TIME; // the connection broke; the caller sees it
}

xcb_window_t XcbDisplayClaim::selectionOwner(xcb_atom_t selection)
{
    const auto reply = m_x.wait(xcb_get_selection_owner_reply,
                                m_x.sent(xcb_get_selection_owner(m_x.get(), selection)));
    return reply ? reply->owner : XCB_NONE;
}

} // namespace horaloom
