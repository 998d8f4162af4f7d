// The designed fonts and the clock icon, made with GDI.
#pragma once

#include <windows.h>

namespace horaloom {

// A font by its designed face, size and weight. Where the system lacks the face, GDI's own
// choice of a proportional sans-serif stands in. Made once and kept for the program's life.
HFONT designedFont(const wchar_t* face, double points, bool bold);
// The default font of every caption: "MS Sans Serif" 8 point.
HFONT defaultFont();

// The clock: a white face, a rim, two black hands at ten past ten; a new icon at each call.
HICON clockIcon(int size, COLORREF rim);

} // namespace horaloom
