#include "xcbframeextents.h"

#include "xcbconnection.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <poll.h>

namespace horaloom {

namespace {

std::optional<FrameExtents> readExtents(XcbConnection& x, xcb_window_t window, xcb_atom_t atom)
{
    const auto property = x.receiveProperty(x.requestProperty(window, atom), window, atom);
    if (!property || !property->present || property->type != XCB_ATOM_CARDINAL ||
        property->format != 32 || property->bytes.size() != 4 * sizeof(std::uint32_t)) {
        return std::nullopt;
    }
    std::uint32_t values[4];
    std::memcpy(values, property->bytes.data(), sizeof values);
    return FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]),
                        static_cast<int>(values[2]), static_cast<int>(values[3])};
}

bool windowManagerAnswers(XcbConnection& x, xcb_atom_t supported, xcb_atom_t request)
{
    const auto list =
        x.receiveProperty(x.requestProperty(x.root(), supported), x.root(), supported);
    if (!list || !list->present || list->format != 32) {
        return false;
    }
    const std::size_t count = list->bytes.size() / sizeof(xcb_atom_t);
    for (std::size_t i = 0; i < count; ++i) {
        xcb_atom_t atom = XCB_NONE;
        std::memcpy(&atom, list->bytes.data() + i * sizeof atom, sizeof atom);
        if (atom == request) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<FrameExtents> requestFrameExtents(std::uint64_t id, int timeoutMs)
{
    XcbConnection x;
    if (!x.connected() || id == 0) {
        return std::nullopt;
    }
    const auto window = static_cast<xcb_window_t>(id);
    const auto atoms =
        x.internAtoms({"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"});
    const xcb_atom_t request = atoms[1];
    const xcb_atom_t extents = atoms[2];
    if (!windowManagerAnswers(x, atoms[0], request)) {
        return std::nullopt;
    }
    if (auto known = readExtents(x, window, extents)) {
        return known;
    }

    // The answer comes as a change of the window's property: watch for it on this connection,
    // then ask.
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x.get(), window, XCB_CW_EVENT_MASK, &mask);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(x.get(), 0, x.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    x.flush();

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd descriptor{xcb_get_file_descriptor(x.get()), POLLIN, 0};
    while (x.connected()) {
        while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(x.get())}) {
            if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
                reinterpret_cast<xcb_property_notify_event_t*>(event.get())->atom == extents) {
                return readExtents(x, window, extents);
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || ::poll(&descriptor, 1, static_cast<int>(left)) <= 0) {
            break;
        }
    }
    return readExtents(x, window, extents);
}

} // namespace horaloom
