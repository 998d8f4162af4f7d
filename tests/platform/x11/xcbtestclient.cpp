#include "xcbtestclient.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace horaloom::test {

namespace {

struct Free {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Owned = std::unique_ptr<T, Free>;

constexpr auto patience = std::chrono::seconds(5);

} // namespace

XcbTestClient::XcbTestClient()
{
    int screen = 0;
    m_connection = xcb_connect(nullptr, &screen);
    if (connected()) {
        auto roots = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < screen; ++i) {
            xcb_screen_next(&roots);
        }
        m_root = roots.data->root;
    }
}

XcbTestClient::~XcbTestClient()
{
    for (const xcb_window_t window : m_windows) {
        xcb_destroy_window(m_connection, window);
    }
    xcb_disconnect(m_connection);
}

bool XcbTestClient::connected() const
{
    return xcb_connection_has_error(m_connection) == 0;
}

bool XcbTestClient::windowManagerRunning()
{
    return property(m_root, "_NET_SUPPORTING_WM_CHECK").has_value();
}

xcb_atom_t XcbTestClient::atom(const std::string& name)
{
    const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection,
        xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr));
    return reply ? reply->atom : XCB_NONE;
}

std::string XcbTestClient::atomName(xcb_atom_t atom)
{
    const Owned<xcb_get_atom_name_reply_t> reply(
        xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, atom), nullptr));
    if (!reply) {
        return {};
    }
    return {xcb_get_atom_name_name(reply.get()),
            static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get()))};
}

void XcbTestClient::sync()
{
    const Owned<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

xcb_window_t XcbTestClient::createWindow(const std::vector<NamedProperty>& properties,
                                         bool setWmState, std::int16_t x, std::int16_t y)
{
    const xcb_window_t window = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, x, y, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    m_windows.push_back(window);
    for (const auto& [name, value] : properties) {
        setProperty(window, name, value);
    }
    if (setWmState) {
        const std::uint32_t normalState[] = {1, XCB_NONE};
        setProperty(window, "WM_STATE",
                    {"WM_STATE", 32,
                     std::string(reinterpret_cast<const char*>(normalState), sizeof normalState)});
    }
    xcb_map_window(m_connection, window);
    if (windowManagerRunning()) {
        waitFor(window, "WM_STATE");
    }
    sync();
    return window;
}

xcb_window_t XcbTestClient::createChild(xcb_window_t parent)
{
    const xcb_window_t window = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, parent, 0, 0, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(m_connection, window);
    sync();
    return window;
}

void XcbTestClient::destroy(xcb_window_t window)
{
    xcb_destroy_window(m_connection, window);
    std::erase(m_windows, window);
    sync();
}

void XcbTestClient::setProperty(xcb_window_t window, const std::string& name,
                                const PropertyValue& value)
{
    const auto unit = static_cast<std::size_t>(value.format / 8);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom(name), atom(value.type),
                        static_cast<std::uint8_t>(value.format),
                        static_cast<std::uint32_t>(value.bytes.size() / unit), value.bytes.data());
    sync();
}

std::optional<PropertyValue> XcbTestClient::property(xcb_window_t window, const std::string& name)
{
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 0, window, atom(name),
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, 0x3FFFFFFF),
                               nullptr));
    if (!reply || reply->type == XCB_NONE) {
        return std::nullopt;
    }
    return PropertyValue{
        atomName(reply->type), reply->format,
        std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply.get())))};
}

bool XcbTestClient::waitFor(xcb_window_t window, const std::string& propertyName)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!property(window, propertyName)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void XcbTestClient::sendClientMessage(xcb_window_t window, const std::string& type)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(type);
    xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    sync();
}

void XcbTestClient::requestActivation(xcb_window_t window)
{
    // As a pager asks for it (source 2): window managers honour that without focus-stealing
    // checks.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 2;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(m_connection);
}

xcb_window_t XcbTestClient::activeWindow()
{
    const auto active = property(m_root, "_NET_ACTIVE_WINDOW");
    xcb_window_t current = XCB_NONE;
    if (active && active->bytes.size() >= sizeof current) {
        std::memcpy(&current, active->bytes.data(), sizeof current);
    }
    return current;
}

bool XcbTestClient::activate(xcb_window_t window)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        requestActivation(window);
        while (activeWindow() != window) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        // A window mapped just before may still take the focus from the window manager:
        // the activation counts once it has stood for a moment.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (activeWindow() == window) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
    }
}

void XcbTestClient::focus(xcb_window_t window)
{
    xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_NONE, window, XCB_CURRENT_TIME);
    sync();
}

void XcbTestClient::movePointer(std::int16_t x, std::int16_t y)
{
    xcb_warp_pointer(m_connection, XCB_NONE, m_root, 0, 0, 0, 0, x, y);
    sync();
}

} // namespace horaloom::test
