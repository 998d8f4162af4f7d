#include "soakdesktop.h"

#include "xcbreply.h"

#include <algorithm>
#include <array>
#include <poll.h>

namespace horaloom::soak {

namespace {

constexpr std::uint32_t wholeProperty = 0x3FFFFFFF;
constexpr auto managedPatience = std::chrono::seconds(5);
constexpr int longestNap = 2; // milliseconds between looks when no event comes

} // namespace

SoakDesktop::SoakDesktop()
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (!connected()) {
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    m_root = screens.data->root;

    m_utf8String = intern("UTF8_STRING");
    m_compoundText = intern("COMPOUND_TEXT");
    m_netWmName = intern("_NET_WM_NAME");
    m_netActiveWindow = intern("_NET_ACTIVE_WINDOW");
    m_wmState = intern("WM_STATE");
    m_ownTitle = intern("_HORALOOM_OWN_TITLE");

    const xcb_atom_t check = intern("_NET_SUPPORTING_WM_CHECK");
    const XcbReply<xcb_get_property_reply_t> wm(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, m_root, check, XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    m_windowManager =
        wm && wm->type == XCB_ATOM_WINDOW && xcb_get_property_value_length(wm.get()) == 4;

    // Wakes waitUntil when the window manager changes the active window.
    const std::uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &rootEvents);
    sync();
}

SoakDesktop::~SoakDesktop()
{
    xcb_disconnect(m_connection);
}

bool SoakDesktop::connected() const
{
    return m_connection != nullptr && xcb_connection_has_error(m_connection) == 0;
}

xcb_atom_t SoakDesktop::intern(const std::string& name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection,
        xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr));
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    m_atomNames[atom] = name;
    return atom;
}

std::string SoakDesktop::atomName(xcb_atom_t atom)
{
    const auto known = m_atomNames.find(atom);
    if (known != m_atomNames.end()) {
        return known->second;
    }
    const XcbReply<xcb_get_atom_name_reply_t> reply(
        xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, atom), nullptr));
    std::string name =
        reply ? std::string(xcb_get_atom_name_name(reply.get()),
                            static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get())))
              : "atom " + std::to_string(atom);
    m_atomNames[atom] = name;
    return name;
}

void SoakDesktop::sync()
{
    const XcbReply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    drainEvents();
}

bool SoakDesktop::drainEvents()
{
    bool any = false;
    while (XcbReply<xcb_generic_event_t>(xcb_poll_for_event(m_connection))) {
        any = true; // property changes and errors of requests that raced a destroy alike
    }
    return any;
}

bool SoakDesktop::waitUntil(const std::function<bool()>& done, std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline || !connected()) {
            return false;
        }
        if (!drainEvents()) {
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, longestNap);
        }
    }
}

void SoakDesktop::put(xcb_window_t window, xcb_atom_t name, const std::optional<Property>& value)
{
    if (!value) {
        xcb_delete_property(m_connection, window, name);
        return;
    }
    const std::size_t unit = std::max<std::size_t>(value->format / 8, 1);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, name, value->type,
                        value->format, static_cast<std::uint32_t>(value->bytes.size() / unit),
                        value->bytes.data());
}

xcb_window_t SoakDesktop::createWindow(const OwnTitle& title)
{
    const xcb_window_t window = xcb_generate_id(m_connection);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 20, 20, 240, 120, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    setTitle(window, title);
    if (!m_windowManager) {
        const std::array<std::uint32_t, 2> normalState = {1, XCB_NONE};
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, m_wmState, m_wmState, 32,
                            2, normalState.data());
    }
    xcb_map_window(m_connection, window);
    xcb_flush(m_connection);
    if (m_windowManager) {
        waitUntil(
            [&] {
                const XcbReply<xcb_get_property_reply_t> state(xcb_get_property_reply(
                    m_connection,
                    xcb_get_property(m_connection, 0, window, m_wmState, XCB_ATOM_ANY, 0, 2),
                    nullptr));
                return state && state->type != XCB_NONE;
            },
            managedPatience);
    }
    sync();
    return window;
}

void SoakDesktop::destroy(xcb_window_t window)
{
    xcb_destroy_window(m_connection, window);
    sync();
}

void SoakDesktop::setTitle(xcb_window_t window, const OwnTitle& title)
{
    if (title.netWmName) {
        put(window, m_netWmName, title.netWmName);
    }
    if (title.wmName) {
        put(window, XCB_ATOM_WM_NAME, title.wmName);
    }
    sync();
}

void SoakDesktop::resetTitle(xcb_window_t window, const OwnTitle& title)
{
    put(window, m_netWmName, title.netWmName);
    put(window, XCB_ATOM_WM_NAME, title.wmName);
    xcb_delete_property(m_connection, window, m_ownTitle);
    sync();
}

std::vector<std::optional<TitleProperties>>
SoakDesktop::readTitles(const std::vector<xcb_window_t>& windows)
{
    const std::array<xcb_atom_t, 3> names = {m_netWmName, XCB_ATOM_WM_NAME, m_ownTitle};
    std::vector<xcb_get_property_cookie_t> cookies;
    for (const xcb_window_t window : windows) {
        for (const xcb_atom_t name : names) {
            cookies.push_back(
                xcb_get_property(m_connection, 0, window, name, XCB_ATOM_ANY, 0, wholeProperty));
        }
    }
    std::vector<std::optional<TitleProperties>> titles;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        std::array<std::optional<Property>, 3> values;
        bool gone = false;
        for (std::size_t j = 0; j < names.size(); ++j) {
            xcb_generic_error_t* error = nullptr;
            const XcbReply<xcb_get_property_reply_t> reply(
                xcb_get_property_reply(m_connection, cookies[i * names.size() + j], &error));
            const XcbReply<xcb_generic_error_t> dropped(error);
            if (!reply) {
                gone = true;
            } else if (reply->type != XCB_NONE) {
                values[j] = Property{
                    reply->type, reply->format,
                    std::string(
                        static_cast<const char*>(xcb_get_property_value(reply.get())),
                        static_cast<std::size_t>(xcb_get_property_value_length(reply.get())))};
            }
        }
        titles.push_back(gone ? std::nullopt
                              : std::optional<TitleProperties>(
                                    TitleProperties{values[0], values[1], values[2]}));
    }
    drainEvents();
    return titles;
}

void SoakDesktop::requestActivation(xcb_window_t window)
{
    if (!m_windowManager) {
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_NONE, window, XCB_CURRENT_TIME);
        sync();
        return;
    }
    // As a pager asks (source 2): window managers grant that without focus-stealing checks.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = m_netActiveWindow;
    message.data.data32[0] = 2;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(m_connection);
}

} // namespace horaloom::soak
