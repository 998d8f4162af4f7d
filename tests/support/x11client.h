// An X client of the tests' and the benchmark's own, standing in for other programs: windows
// with titles in any encoding, activated, retitled and destroyed, and properties read back with
// their types. Horaloom's own XcbConnection stays the product's; this one only plays the others.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace horaloom::test {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// One property's value as the server holds it, its type by name.
struct Property {
    std::string type;
    int format = 8;
    std::string bytes;
    bool operator==(const Property&) const = default;
};
using Named = std::pair<std::string, Property>;
using Title = std::vector<std::optional<Property>>; // _NET_WM_NAME, WM_NAME

// utf8("Grüße"), latin1("Gr\xFC\xDF\x65"), compoundText(...): a title in that type.
struct Typed {
    const char* type;
    Property operator()(std::string bytes) const { return {type, 8, std::move(bytes)}; }
};
inline constexpr Typed utf8{"UTF8_STRING"}, latin1{"STRING"}, compoundText{"COMPOUND_TEXT"};
// Bytes as escapes, so that a failed comparison shows what differs.
void PrintTo(const Property& value, std::ostream* out);
void PrintTo(const Title& title, std::ostream* out);

// Polls until the condition holds; false once the limit has passed.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(5));

// Where a new window goes and what it is.
struct Place {
    std::int16_t x = 0, y = 0;
    std::uint32_t eventMask = 0;
    xcb_window_t parent = XCB_NONE;
};

class X11Client {
public:
    X11Client();                          // connects to $DISPLAY
    ~X11Client() { xcb_disconnect(m_c); } // the server destroys the windows made
    X11Client(const X11Client&) = delete;
    X11Client& operator=(const X11Client&) = delete;

    bool connected() const { return xcb_connection_has_error(m_c) == 0; }
    xcb_connection_t* connection() const { return m_c; }
    xcb_window_t root() const { return m_root; }
    bool windowManagerRunning();
    xcb_atom_t atom(const std::string& name);
    void sync(); // every request sent so far has been carried out

    // A mapped top-level window (or a child filling parent) with these properties, returned
    // once a window manager has taken it on.
    xcb_window_t createWindow(const std::vector<Named>& properties = {}, Place place = {});
    void destroy(xcb_window_t window);
    void setProperty(xcb_window_t window, const std::string& name, const Property& value);
    std::optional<Property> property(xcb_window_t window, const std::string& name);
    Title title(xcb_window_t window)
    {
        return {property(window, "_NET_WM_NAME"), property(window, "WM_NAME")};
    }
    // The 32-bit values of a property; empty when it is missing.
    std::vector<std::uint32_t> cardinals(xcb_window_t window, const std::string& name);

    // Asks the window manager, as a pager does, and waits until the window is the active one.
    bool activate(xcb_window_t window);
    xcb_window_t activeWindow();
    // A 32-bit ClientMessage of this type about window to `to` (with no mask: to the client
    // that made it).
    void send(xcb_window_t to, xcb_window_t window, const std::string& type,
              std::uint32_t mask = XCB_EVENT_MASK_NO_EVENT, std::uint32_t first = 0);

private:
    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_root = XCB_NONE;
};

} // namespace horaloom::test
