#include "win32programend.h"

#include <windows.h>

namespace horaloom {

void Win32ProgramEnd::endProgram(int exitCode)
{
    // Not ExitProcess: the tray icon would stay behind in the tray until the mouse passes over
    // it. The presenter has stopped every timer and hidden every window; the loop ends next.
    PostQuitMessage(exitCode);
}

} // namespace horaloom
