#include "win32programend.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace horaloom {

void Win32ProgramEnd::endProgram(int exitCode)
{
    // Not ExitProcess: the tray icon would stay behind in the tray until the mouse passes over
    // it. The presenter has stopped every timer and hidden every window; the loop ends next.
    PostQuitMessage(exitCode);
}

} // namespace horaloom
