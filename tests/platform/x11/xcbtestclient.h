// A small X client of the tests' own: windows with titles in given encodings, read back raw.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace horaloom::test {

// One property's value as the server holds it, with its type by name.
struct PropertyValue {
    std::string type;
    int format = 8;
    std::string bytes;

    bool operator==(const PropertyValue&) const = default;
};

using NamedProperty = std::pair<std::string, PropertyValue>;

// Bytes as C escapes, so that a failure shows what differs.
inline void PrintTo(const PropertyValue& value, std::ostream* out)
{
    static const char digits[] = "0123456789ABCDEF";
    *out << value.type << '/' << value.format << " \"";
    for (const char c : value.bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
            *out << c;
        } else {
            *out << "\\x" << digits[byte >> 4] << digits[byte & 0xF];
        }
    }
    *out << '"';
}

inline PropertyValue utf8(std::string text)
{
    return {"UTF8_STRING", 8, std::move(text)};
}

inline PropertyValue latin1(std::string bytes)
{
    return {"STRING", 8, std::move(bytes)};
}

inline PropertyValue compoundText(std::string bytes)
{
    return {"COMPOUND_TEXT", 8, std::move(bytes)};
}

class XcbTestClient {
public:
    XcbTestClient();
    ~XcbTestClient();
    XcbTestClient(const XcbTestClient&) = delete;
    XcbTestClient& operator=(const XcbTestClient&) = delete;

    bool connected() const;
    bool windowManagerRunning();
    xcb_window_t root() const { return m_root; }

    // A mapped top-level window with these properties. With a window manager it returns once
    // the window is managed; without one it sets WM_STATE itself when asked to, as a window
    // manager would.
    xcb_window_t createWindow(const std::vector<NamedProperty>& properties, bool setWmState = false,
                              std::int16_t x = 0, std::int16_t y = 0);
    // A mapped child window filling its parent.
    xcb_window_t createChild(xcb_window_t parent);
    void destroy(xcb_window_t window);

    void setProperty(xcb_window_t window, const std::string& name, const PropertyValue& value);
    std::optional<PropertyValue> property(xcb_window_t window, const std::string& name);

    // Asks the window manager to activate the window and waits until it has.
    bool activate(xcb_window_t window);
    // Only asks; and the window the window manager says is active.
    void requestActivation(xcb_window_t window);
    xcb_window_t activeWindow();
    void focus(xcb_window_t window); // XCB_INPUT_FOCUS_POINTER_ROOT, XCB_NONE or a window
    void movePointer(std::int16_t x, std::int16_t y);
    // A ClientMessage of this type to the client that made the window.
    void sendClientMessage(xcb_window_t window, const std::string& type);

    xcb_atom_t atom(const std::string& name);
    void sync(); // every request sent so far has been carried out

private:
    std::string atomName(xcb_atom_t atom);
    bool waitFor(xcb_window_t window, const std::string& propertyName);

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    std::vector<xcb_window_t> m_windows;
};

} // namespace horaloom::test
