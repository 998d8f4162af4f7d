#include "x11client.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace horaloom::test {

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return true;
}

void PrintTo(const Property& value, std::ostream* out)
{
    *out << value.type << '/' << value.format << " \"";
    for (const char c : value.bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\' && c != '"') {
            *out << c;
        } else {
            *out << "\\x"
                 << "0123456789ABCDEF"[byte >> 4] << "0123456789ABCDEF"[byte & 0xF];
        }
    }
    *out << '"';
}

void PrintTo(const Title& title, std::ostream* out)
{
    for (const auto& property : title) {
        if (property) {
            PrintTo(*property, out);
        } else {
            *out << "(absent)";
        }
        *out << "  ";
    }
}

X11Client::X11Client()
{
    int screen = 0;
    m_c = xcb_connect(nullptr, &screen);
    if (connected()) {
        auto roots = xcb_setup_roots_iterator(xcb_get_setup(m_c));
        for (; screen > 0; --screen) {
            xcb_screen_next(&roots);
        }
        m_root = roots.data->root;
    }
}

bool X11Client::windowManagerRunning()
{
    return property(m_root, "_NET_SUPPORTING_WM_CHECK").has_value();
}

xcb_atom_t X11Client::atom(const std::string& name)
{
    const auto length = static_cast<std::uint16_t>(name.size());
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, length, name.c_str()), nullptr));
    return reply ? reply->atom : XCB_NONE;
}

void X11Client::sync()
{
    const Reply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
}

xcb_window_t X11Client::createWindow(const std::vector<Named>& properties, Place place)
{
    const xcb_window_t window = xcb_generate_id(m_c);
    const std::uint32_t mask = place.eventMask;
    xcb_create_window(m_c, XCB_COPY_FROM_PARENT, window, place.parent ? place.parent : m_root,
                      place.x, place.y, 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    for (const auto& [name, value] : properties) {
        setProperty(window, name, value);
    }
    xcb_map_window(m_c, window);
    // A window manager takes a new window on and gives it the focus. Once it has, nothing of
    // its own doing is left to move the focus behind a test's back.
    if (!place.parent && windowManagerRunning()) {
        waitUntil([&] { return property(window, "WM_STATE") && activeWindow() == window; });
    }
    sync();
    return window;
}

void X11Client::destroy(xcb_window_t window)
{
    xcb_destroy_window(m_c, window);
    sync();
}

void X11Client::setProperty(xcb_window_t window, const std::string& name, const Property& value)
{
    const auto units = static_cast<std::uint32_t>(value.bytes.size() * 8 / value.format);
    xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, window, atom(name), atom(value.type),
                        static_cast<std::uint8_t>(value.format), units, value.bytes.data());
    sync();
}

std::optional<Property> X11Client::property(xcb_window_t window, const std::string& name)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_c, xcb_get_property(m_c, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 1u << 28),
        nullptr));
    if (!reply || reply->type == XCB_NONE) {
        return std::nullopt;
    }
    const Reply<xcb_get_atom_name_reply_t> type(
        xcb_get_atom_name_reply(m_c, xcb_get_atom_name(m_c, reply->type), nullptr));
    return Property{
        type ? std::string(xcb_get_atom_name_name(type.get()),
                           static_cast<std::size_t>(xcb_get_atom_name_name_length(type.get())))
             : std::string(),
        reply->format,
        std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply.get())))};
}

std::vector<std::uint32_t> X11Client::cardinals(xcb_window_t window, const std::string& name)
{
    const auto value = property(window, name);
    std::vector<std::uint32_t> values;
    if (value && value->format == 32) {
        values.resize(value->bytes.size() / 4);
        std::memcpy(values.data(), value->bytes.data(), values.size() * 4);
    }
    return values;
}

void X11Client::send(xcb_window_t to, xcb_window_t window, const std::string& type,
                     std::uint32_t mask, std::uint32_t first)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(type);
    message.data.data32[0] = first;
    xcb_send_event(m_c, 0, to, mask, reinterpret_cast<const char*>(&message));
    sync();
}

xcb_window_t X11Client::activeWindow()
{
    const auto active = cardinals(m_root, "_NET_ACTIVE_WINDOW");
    return active.empty() ? XCB_NONE : active[0];
}

// As a pager asks (source 2): window managers grant that without focus-stealing checks.
bool X11Client::activate(xcb_window_t window)
{
    send(m_root, window, "_NET_ACTIVE_WINDOW",
         XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY, 2);
    return waitUntil([&] { return activeWindow() == window; });
}

} // namespace horaloom::test
