// Small xcb helpers shared by the bench programs: owned replies, atoms, window properties.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace bench {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

inline xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : XCB_NONE;
}

// The 32-bit values of a window property (windows, cardinals); empty when it is missing.
inline std::vector<std::uint32_t> cardinals(xcb_connection_t* c, xcb_window_t window,
                                            xcb_atom_t property, xcb_atom_t type)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, type, 0, 4096), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return {data, data + count};
}

inline std::string text(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr));
    if (!reply || reply->format != 8) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

inline void setText(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                    xcb_atom_t type, const std::string& value)
{
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                        static_cast<std::uint32_t>(value.size()), value.data());
}

// A plain top-level window titled `title` (WM_NAME and _NET_WM_NAME, UTF-8) that takes the
// input focus when the window manager offers it. Not yet mapped.
inline xcb_window_t createTitledWindow(xcb_connection_t* c, xcb_screen_t* screen,
                                       const std::string& title, std::uint32_t eventMask)
{
    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t values[] = {screen->white_pixel, eventMask};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 40, 40, 360, 120, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    setText(c, window, XCB_ATOM_WM_NAME, utf8, title);
    setText(c, window, atom(c, "_NET_WM_NAME"), utf8, title);
    // WM_CLASS: instance and class, each NUL-terminated.
    const std::string wmClass("bench\0HoraloomBench\0", 20);
    setText(c, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, wmClass);
    // WM_HINTS with the input hint set: flags, input, then seven unused fields.
    const std::uint32_t hints[9] = {1, 1, 0, 0, 0, 0, 0, 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS,
                        32, 9, hints);
    return window;
}

// Milliseconds on the monotonic clock.
inline double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

} // namespace bench
