// The frame a window manager will draw around a window, known before the window is mapped, so
// that a window can be placed by its outer corner from the start.
#pragma once

#include <cstdint>
#include <optional>

namespace horaloom {

struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// Asks the window manager (_NET_REQUEST_FRAME_EXTENTS) and waits up to timeoutMs for its answer
// in _NET_FRAME_EXTENTS. Nothing without an X server or a window manager that answers: then
// there is no frame to allow for.
std::optional<FrameExtents> requestFrameExtents(std::uint64_t window, int timeoutMs);

} // namespace horaloom
