// Before Qt starts: is the window system it is about to use there at all?
#pragma once

namespace horaloom {

// Qt's platform plugin aborts the process (status 134) inside QApplication's constructor when
// it cannot reach its display. Asked first, with the plugins Qt would try (-platform, else
// QT_QPA_PLATFORM, else X11 or Wayland), this says so in one line on standard error and returns
// false; then the program ends with status 1. Platforms that need no display (offscreen,
// minimal) and those it does not know are left to Qt.
bool displayReachable(int argc, char* argv[]);

} // namespace horaloom
