#include "dpi.h"

#include <windows.h>

#include <cmath>

namespace horaloom {

int systemDpi()
{
    // Asked once: the process is DPI-aware (WinMain says so first), so this is the screen's
    // own DPI, not the 96 of a scaled-up program.
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips * systemDpi() / 1440.0));
}

double pixelsToTwips(int pixels)
{
    return pixels * 1440.0 / systemDpi();
}

} // namespace horaloom
